// Handlers of the bottomless sack and of the waste settings. None costs.
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

const std::string_view kItemKinds[] = {
    ""_w,
    "páncél"_w,
    "ékszer"_w,
    "felszerelés"_w,
    "fegyver"_w,
    "varázsital"_w,
    "gyógyfű"_w,
    "egyéb kacat"_w,
    "azok a tárgyak, amilyen már nálad"_w,
    "minden"_w,
};

// zsb, zsk: three (item, count) pairs into D2..D4.
void CountedItems(HandlerContext& c, std::string_view heading) {
  c.D(1) = std::string(heading);
  for (int pair = 0; pair < 3; ++pair) {
    const int item = 2 * pair + 1;
    const auto number = c.Int(item);
    if (number && *number > 0 && c.Valid(item + 1))
      c.D(pair + 2) = Dec(c.Value(item + 1)) + ". db "_w + c.Names().ItemName(Dec(*number));
  }
}

// zsbm, zskm, azs: a leading 0 turns the other numbers into item kinds.
void AllOfKinds(HandlerContext& c, std::string_view itemsHeading, std::string_view kindsHeading) {
  bool kinds = false;
  for (int k = 1; k <= 6; ++k) {
    if (k == 1 && c.Int(1) == 0) {
      kinds = true;
      continue;
    }
    if (!c.Valid(k)) continue;
    c.D(1) = std::string(kinds ? kindsHeading : itemsHeading);
    const int v = c.Value(k);
    if (!kinds)
      c.D(k + 1) = c.Names().ItemName(Dec(v));
    else if (InRange(v, 1, 9))
      c.D(k + 1) = std::string(kItemKinds[v]);
  }
}

std::string_view KeepConditionWord(int v) {
  if (v == 9) return "méretet"_w;
  if (v == 80) return "támadás"_w;
  if (v == 81) return "védekezés"_w;
  return {};
}

std::string KeepCondition(int v) {
  if (InRange(v, 1, 6) || InRange(v, 10, 31)) return "Megtartod ha: "_w + tables::AttributeNames()[v];
  if (const std::string_view word = KeepConditionWord(v); !word.empty()) return "Megtartod ha: "_w + word;
  return {};
}

void Waste(HandlerContext& c) {  // hu
  auto value = [&](int k) { return c.Int(k).value_or(0); };
  const int p1 = value(1), p2 = value(2), p3 = value(3), p4 = value(4);
  if (InRange(p1, 1, 13)) c.D(1) = Dec(p1) + ". szintig a nem mágikus tárgyat eladod."_w;
  if (InRange(p1, 15, 9999)) c.D(1) = Dec(p1) + " aranyig a nem mágikus tárgyat eladod."_w;
  if (InRange(p2, 1, 13)) c.D(2) = Dec(p2) + ". szintig a mágikus tárgyat eladod."_w;
  if (InRange(p2, 15, 9999)) c.D(2) = Dec(p2) + " aranyig a mágikus tárgyat eladod."_w;
  if (InRange(p3, 15, 9999)) c.D(3) = Dec(p3) + " aranyig a káosz tárgyat eladod."_w;
  if (InRange(p4, 1, 99)) c.D(4) = Dec(p4) + " tárgyhely alatt elmész a boltba."_w;
  if (InRange(p4, 101, 199)) c.D(4) = Dec(p4) + " tárgyhely alatt eldobálod."_w;
  for (int k = 5; k <= 6; ++k)
    if (const std::string keep = KeepCondition(value(k)); !keep.empty()) c.D(k) = keep;
}

}  // namespace

void RegisterSackWasteCommands(HandlerTable& t) {
  t.Add("zsb", [](HandlerContext& c) { CountedItems(c, "Feneketlen zsákba rakod:"_w); });
  t.Add("zsk", [](HandlerContext& c) { CountedItems(c, "Feneketlen zsákból kivétel:"_w); });
  t.Add("zsbm", [](HandlerContext& c) { AllOfKinds(c, "berakod az összes:"_w, "berakod mindegyik:"_w); });
  t.Add("zskm", [](HandlerContext& c) { AllOfKinds(c, "kiveszed az összes:"_w, "kiveszed mindegyik:"_w); });
  t.Add("azs", [](HandlerContext& c) {
    AllOfKinds(c, "automatikusan beteszed az összes:"_w, "automatikusan beteszed az összes:"_w);
  });
  t.Add("hu", Waste);
}

}  // namespace mv
