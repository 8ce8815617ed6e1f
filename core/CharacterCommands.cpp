// Handlers of the orders by which the character acts on itself or sets a
// standing behaviour; ism gives the repeat count of the row below.
#include "core/CharacterRules.h"
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

void Fame(HandlerContext& c) {  // alc
  if (!c.Valid(1)) return;
  c.D(1) = "Hírnevedet csökkented "_w + c.P(1) + " egységgel"_w;
  c.SetTVP("vált"_w);
}

void Friendly(HandlerContext& c) {  // ba
  c.D(1) = "Senkivel sem akarsz barátságos lenni"_w;
  const int valid = c.ListLines(1, 1, [&](int k) {
    const int v = c.Value(k);
    const std::string n = Dec(v);
    if (InRange(v, 1, 9)) return Named(tables::DietAndClanNames(), v);
    if (InRange(v, 10, 18)) return Named(tables::DietAndClanNames(), v) + " klánjának tagjai"_w;
    if (InRange(v, 20, 999)) return c.Names().MonsterName(n);
    if (IsCharacterNumber(v)) return c.Names().CharacterName(n);
    if (InRange(v, 15000, 16000)) return c.Names().AllianceName(n);
    return std::string();
  });
  if (valid > 0) c.D(1) = "Barátságos leszel a következőkkel:"_w;
}

void Trap(HandlerContext& c) {  // cs
  if (c.Valid(1)) {
    c.D(1) = "Csapdát állítasz "_w + c.P(1) + " TVP-ért"_w;
    c.SetTVP(c.RepeatedParameter(1));
  }
  if (c.Valid(2)) c.D(2) = "ezzel: "_w + c.Item(2);
  if (c.Valid(3)) c.D(3) = c.Spell(3);
}

void Food(HandlerContext& c) {  // e
  if (c.P(1).empty()) {
    c.SetTVP("30");
    c.D(1) = "Élelmet szerzel 30 TVP-ért"_w;
  } else if (c.Valid(1)) {
    const int v = c.Value(1);
    if (v == 10 || v == 20 || v == 30) {
      c.SetTVP(c.RepeatedParameter(1));
      c.D(1) = "Élelmet szerzel "_w + c.P(1) + " TVP-ért"_w;
    } else if (v == 9) {
      c.SetTVP("vált"_w);
      c.D(1) = "Minden olyan szolgád számára"_w;
      c.D(2) = "próbálsz élelmet szerezni, amelynek"_w;
    } else if (v <= 8) {
      c.SetTVPRepeated(20);
      c.D(1) = "Élelmet szerzel a(z) "_w + c.P(1) + ". szolgádnak"_w;
    } else {
      c.SetTVP("0");
      c.D(1) = "Hibás paraméter"_w;
    }
  }
  if (c.Valid(2) && c.P(1) == "9") c.D(3) = "jóllakottsága "_w + c.P(2) + "% alatt van"_w;
}

// gy and i: threshold, repeat limit and reserve in P1..P3.
void Limits(HandlerContext& c, int maxLine) {
  if (c.Valid(2)) c.D(maxLine) = "maximum "_w + c.P(2) + "x";
  if (c.Valid(3)) c.D(maxLine + 1) = "de csak akkor, ha min "_w + c.P(3) + " TVP-d marad"_w;
}

void Heal(HandlerContext& c) {  // gy
  c.D(1) = "Gyógyítás feltétles parancs törlése"_w;
  if (c.Valid(1)) {
    c.D(1) = "Gyógyítasz magadon, ha az életerőd"_w;
    c.D(2) = c.P(1) + "% alá zuhan"_w;
  }
  Limits(c, 3);
  for (int k = 4; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    const int v = c.Value(k);
    std::string& line = c.D(k + 1);
    if (v == 1 && k == 4)
      line = "gyógyító kamrában"_w;
    else if (v == 9)
      line = "templomban";
    else if (v == 27 || v == 139 || v == 148 || v == 153)
      line = c.Spell(k);
    else if (v == 50 || (k == 4 && (v == 61 || v == 80 || v == 98 || v == 101 || v == 511)))
      line = c.Item(k) + " használata"_w;
  }
}

void Summon(HandlerContext& c) {  // i
  c.D(1) = "Idézés feltétles parancs törlése"_w;
  if (c.Valid(1)) c.D(1) = "Idézel, ha a varázspontod "_w + c.P(1) + " alá esik"_w;
  Limits(c, 2);
  c.ListLines(4, 0, [&](int k) {
    return c.Value(k) == 1 ? std::string("Nekrofun trón használata"_w) : "tárgyhasználat: "_w + c.Item(k);
  });
}

void Repeat(HandlerContext& c) {  // ism
  if (!c.Valid(1)) return;
  c.D(1) = "A következő parancsot ismétled "_w + c.P(1) + "x";
  c.State().repeatCount = c.Value(1);
}

void RaiseAbilities(HandlerContext& c) {  // kno
  long long points = 0;
  for (int pair = 0; pair < 3; ++pair) {
    const int what = 2 * pair + 1, count = what + 1;
    if (c.Valid(what)) {
      const int v = c.Value(what);
      std::string& line = c.D(what);
      line = AttributeRaiseLine(v, true);
      if (InRange(v, 100, 200))
        line = c.P(what) + ". képességedet növeled"_w;
      else if (InRange(v, 1010, 1127) || InRange(v, 1134, 1999))
        line = c.Names().SpellName(Dec(v - 1000)) + "varázslat növelése"_w;
      else if (InRange(v, 1128, 1133))
        line = Named(tables::PsiAttackNames(), v - 1000) + "pszí kép. növelése"_w;
    }
    if (c.Valid(count)) {
      c.D(count) = c.P(count) + " képességponttal"_w;
      points += c.Value(count);
    }
  }
  c.SetKNORepeated(points);
}

void Steal(HandlerContext& c) {  // l
  if (c.Valid(1)) c.D(1) = c.P(1) + " aranynál értékesebb dolgokra hajtasz"_w;
  c.ListLines(2, 0, [&](int k) { return c.Item(k) + " -t akarsz lopni"_w; });
}

void Macro(HandlerContext& c) {  // mak
  const int m = c.Valid(1) ? c.Value(1) : 0;
  const int n = c.Valid(2) ? c.Value(2) : 0;
  if (c.Valid(1)) c.D(1) = m >= 6 ? std::string("Csak 5 makród van!"_w) : "Meghívod a(z) "_w + c.P(1) + ". makrót"_w;
  if (c.Valid(2)) {
    c.D(1) = Dec(m) + ". makrót definiálod"_w;
    c.D(2) = n < 7 ? "a következő "_w + c.P(2) + " paranccsal"_w : std::string("max 6 paranccsal lehet!"_w);
  }
  if (c.Valid(3)) {
    const long long from = c.Value(3);
    c.D(1) = Dec(m) + ". makrót módosítod"_w;
    if (from + n < 8)
      c.D(2) += " a "_w + Dec(from) + ". sortól."_w;
    else
      c.D(2) = "A 2. és 3. paraméter összege max 7 lehet.!"_w;
  }
}

}  // namespace

void RegisterCharacterCommands(HandlerTable& t) {
  t.Add("alc", Fame, kKeepsTVP);
  t.Add("ba", Friendly);
  t.Add("cs", Trap);
  t.Add("e", Food);
  t.Add("gy", Heal);
  t.Add("i", Summon);
  t.Add("ism", Repeat);
  t.Add("kno", RaiseAbilities);
  t.Add("l", Steal);
  t.Add("mak", Macro);
}

}  // namespace mv
