// Handlers of learning, transformation, specialisation and the orders that
// free or save activity points.
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

void Learn(HandlerContext& c) {  // t
  if (c.Valid(1)) {
    const int v = c.Value(1);
    auto cannot = [&](std::string d2) {
      c.D(1) = "Tanulással nem fejlesztheted a"_w;
      c.D(2) = std::move(d2);
    };
    if (InRange(v, 1, 6)) {
      c.D(1) = "Fejleszted a köv. tulajdonságod:"_w;
      c.D(2) = AttributeName(v);
    } else if (InRange(v, 10, 34)) {
      cannot(AttributeName(v == 34 ? 27 : v) + "-t");
    } else if (InRange(v, 45, 74)) {
      if (v == 60 || v == 61 || v == 68) {
        cannot(AttributeName(v) + "-t");
      } else {
        c.D(1) = "Tanulod a köv. szakértelmet:"_w;
        c.D(2) = AttributeName(v);
      }
    } else if (InRange(v, 100, 149)) {
      cannot(c.P(1) + ". képességet"_w);
    }
  }
  if (c.Valid(2)) {
    c.SetTVP(c.RepeatedParameter(2));
    c.D(3) = c.P(2) + " TVP-ért"_w;
  }
}

void Transform(HandlerContext& c) {  // tr
  if (!c.Valid(1)) return;
  const int v = c.Value(1);
  bool dietMode = false, limbSwap = false;
  int limbToTransform = 0;
  c.SetTVP("vált"_w);
  if (v == 1) {
    c.D(1) = "Étrend megváltoztatása"_w;
    dietMode = true;
  } else if (v >= 100 && (v - 100) % 3 == 0) {
    c.D(1) = Dec(v) + ". számú végtagod felcseréled a"_w;
    c.SetTVP("10");
    limbSwap = true;
  } else if (v >= 100 && (v - 102) % 3 == 0) {
    limbToTransform = v;
  } else if (InRange(v, 2, 99)) {
    c.SetTVP("10");
    c.D(1) = c.P(1) + ". képességtől megszabadulsz"_w;
  }
  if (!c.Valid(2)) return;
  const int w = c.Value(2);
  if (dietMode && w < 10) c.D(2) = tables::DietAndClanNames()[w] + " körébe akarsz tartozni"_w;
  if (w >= 100 && (w - 102) % 3 == 0 && w == limbToTransform) {
    c.D(1) = Dec(w) + ". számú végtag képességet\r\n transzformálod"_w;
    c.SetTVP("30");
  }
  if (limbSwap && w >= 100 && (w - 100) % 3 == 0) c.D(2) = Dec(w) + " számúval."_w;
}

void Specialize(HandlerContext& c) {  // sp
  c.D(1) = "Specializálódsz:"_w;
  if (c.Valid(1) && c.Value(1) <= 10) c.D(2) = std::string(tables::SpecializationNames()[c.Value(1)]);
  c.TVPZeroToVariable();
}

void ClanAbility(HandlerContext& c) {  // kl
  if (!c.Int(1) || c.Value(1) != 16 || !c.Valid(2)) return;
  c.SetTVP("0");
  c.D(1) = "Burjánzol a "_w + Dec(c.Value(2)) + ". csatában"_w;
}

}  // namespace

void RegisterLearningCommands(HandlerTable& t) {
  t.Add("t", Learn);
  t.Add("tr", Transform, kKeepsTVP);
  t.Add("sp", Specialize, kKeepsTVP);
  t.Add("kl", ClanAbility);
  t.Add("tpf", [](HandlerContext& c) {
    if (!c.Valid(1)) return;
    c.SetTVP("-" + c.RepeatedParameter(1));  // freed points are a negative cost
    c.D(1) = c.P(1) + " TVP felszabadítása"_w;
  });
  t.Add("tps", [](HandlerContext& c) {
    if (!c.Valid(1)) return;
    c.SetTVP(c.RepeatedParameter(1));
    c.D(1) = c.P(1) + " TVP spórolása"_w;
  });
  t.Add("uz", [](HandlerContext& c) { c.D(1) = "Üzenetet küldesz"_w; });
  t.Add("ext", [](HandlerContext& c) { c.D(1) = "Játékhét visszadátumozása"_w; });
}

}  // namespace mv
