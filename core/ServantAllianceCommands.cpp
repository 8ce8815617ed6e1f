// Handlers of the servant and alliance orders.
#include "core/CharacterRules.h"
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

void Alliance(HandlerContext& c) {  // sz
  c.D(1) = "Új szövetség megalapítása"_w;
  if (!c.Valid(1)) return;
  c.SetTVPRepeated(5);
  const int v = c.Value(1);
  if (IsCharacterNumber(v)) {
    c.D(1) = "Hozzájárulsz a köv. galetki belépéséhez:"_w;
    c.D(2) = c.Character(1);
  } else if (InRange(v, 10000, 99999)) {
    c.D(1) = "Belépés/kilépés kérése:"_w;
    c.D(2) = c.Alliance(1);
  }
}

void GiveServant(HandlerContext& c) {  // sza
  if (c.Valid(1)) {
    c.D(1) = "1. szolgád kapja a köv. tárgya(ka)t:"_w;
    c.D(2) = c.Item(1);
  }
  c.PrefixCount(2, 2, false);
  if (c.Valid(3) && c.Value(3) <= 98) c.D(1) = c.P(3) + ". szolgád kapja a köv. tárgya(ka)t:"_w;
  if (c.Valid(3) && c.Value(3) == 99) c.D(1) = "Minden szolgádnak adsz:"_w;
}

void HealServant(HandlerContext& c) {  // szgy
  if (!c.Valid(1)) return;
  c.D(1) = "Egy körben max "_w + c.P(1) + "x automatikusan"_w;
  c.D(2) = "felgyógyíttatod a templomban"_w;
  c.D(3) = "az ájult szolgádat"_w;
}

void Fighters(HandlerContext& c) {  // szh
  c.D(1) = "Melyek jöjjenek/ne jöjjenek harcolni:"_w;
  for (int k = 1; k <= 6; ++k)
    if (c.Valid(k) && c.Value(k) <= 8) c.D(k + 1) = c.P(k) + ". szolga"_w;
}

void SoulShare(HandlerContext& c) {  // szl
  if (c.Valid(1)) {
    c.D(1) = "A harcok során szolgáid a lélekenergia"_w;
    c.D(2) = c.P(1) + " százalékát kapják meg"_w;
  }
  if (c.Valid(2)) {
    c.D(3) = "Ha a jóllakottságod "_w + c.P(2) + "% alatt van,"_w;
    c.D(4) = "mindig te eszel először, utána a szolgáid"_w;
  }
}

void Expel(HandlerContext& c) {  // szk
  if (!c.Valid(1) || !IsCharacterNumber(c.Value(1))) return;
  c.D(1) = c.Character(1);
  c.D(2) = "kirúgása"_w;
}

void NameServant(HandlerContext& c) {  // szn
  if (c.Valid(1)) {
    c.D(1) = c.P(1) + ". szolgád neve:"_w;
    c.SetTVP("3");
  }
  if (c.Valid(2) && c.Value(2) <= 704) c.D(2) = std::string(tables::ServantNames()[c.Value(2)]);
}

void LevelServant(HandlerContext& c) {  // szno
  if (c.Valid(1)) c.D(1) = c.P(1) + ". szolgád szintjét növeled"_w;
  if (c.Valid(2)) {
    c.SetTVP(2LL * c.Value(2));
    c.SetKNO(c.P(2));
    c.D(2) = c.P(2) + " KNO-val"_w;
  }
}

void Vote(HandlerContext& c) {  // szv
  c.D(1) = "Visszaveszed a szavazatodat"_w;
  if (!c.Valid(1) || !IsCharacterNumber(c.Value(1))) return;
  c.D(1) = c.Character(1) + "-nek";
  c.D(2) = "átadod a szavazatodat"_w;
}

void Attack(HandlerContext& c) {  // tm
  if (!c.Int(1) || c.Value(1) != 1) return;
  c.SetTVP("10");
  c.D(1) = "Megtámadod"_w;
  if (c.Valid(2) && InRange(c.Value(2), 10000, 99999)) c.D(1) = "Megtámadod a(z) "_w + c.Alliance(2) + "-t";
}

void Torture(HandlerContext& c) {  // szki
  if (c.Valid(1)) c.D(1) = "Megkínzod a "_w + c.P(1) + ". számú szolgádat."_w;
  if (c.Valid(2)) {
    c.SetTVPRepeated(3LL * c.Value(2));
    c.D(2) = c.P(2) + " KNO-t próbálsz kinyerni"_w;
  }
}

}  // namespace

void RegisterServantAllianceCommands(HandlerTable& t) {
  t.Add("sz", Alliance);
  t.Add("sza", GiveServant);
  t.Add("sze", [](HandlerContext& c) {
    if (c.Valid(1)) c.D(1) = c.P(1) + ". szolgádat elbocsátod"_w;
  });
  t.Add("szgy", HealServant);
  t.Add("szh", Fighters);
  t.Add("szl", SoulShare);
  t.Add("szk", Expel);
  t.Add("szn", NameServant);
  t.Add("szno", LevelServant);
  t.Add("szv", Vote);
  t.Add("tm", Attack);
  t.Add("szki", Torture);
}

}  // namespace mv
