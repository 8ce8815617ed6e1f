// Handlers of fighting behaviour, raid behaviour, enemy lists and the
// legendary and group events.
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

void LegendaryBattle(HandlerContext& c) {  // lcs
  if (c.Valid(1)) {
    const int v = c.Value(1);
    if (v == 99) c.D(1) = "Legközelebb másik ellenféllel küzdhettek."_w;
    if (v == 1) c.D(1) = "Visszavonod a jelentkezésed."_w;
    if (InRange(v, 2, 64)) {
      c.D(1) = "LCS futtatása, ha legalább: "_w + c.P(1);
      c.D(2) = "társad jelentkezett már"_w;
    }
    if (v == 80) c.D(1) = "A Xeno királynő ellen készülsz"_w;
  }
  if (c.Int(2) && c.Value(2) == 80) {
    c.D(1) = "LCS futtatása, ha legalább: "_w + Dec(c.Valid(1) ? c.Value(1) : 0);
    c.D(2) = "társad jelentkezett már."_w;
    c.D(3) = "A Xeno királynő ellen készülsz."_w;
  }
}

void LegendaryValley(HandlerContext& c) {  // lv
  c.D(1) = "Felkeresed a legendák völgyét"_w;
  const int team = c.Value(1);
  if (c.Int(1)) {
    if (team == 1 || team == 2) {
      c.D(2) = "A "_w + c.P(1) + ". számú csapatot választod."_w;
      c.SetTVP("60");
    } else if (team == 4) {
      c.D(2) = "A legendás városba készülsz."_w;
      c.SetTVP("60");
    } else if (team == 8) {
      c.D(2) = "Az Uralkodóhoz készülsz. Veled tart:"_w;
      c.SetTVP("50");
    }
  }
  if (c.Valid(2) && team < 3) c.D(3) = "Keresel: "_w + c.Names().MonsterName(Dec(c.Value(2)));
  if (team == 8)
    for (int k = 2; k <= 4; ++k)
      if (c.Valid(k)) c.D(k + 1) = c.Names().CharacterName(Dec(c.Value(k)));
}

void EnemyList(HandlerContext& c) {  // ell
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    const int v = c.Value(k);
    const std::string list = c.P(k) + ". számú ellenfél listába kerül:"_w;
    if (k == 1 && v >= 1900) c.D(1) = list;
    if (k >= 2 && v < 1900) c.D(k + 1) = c.Monster(k);
    if (InRange(k, 3, 5) && v >= 1900) c.D(k + 1) = list;
  }
}

void NewHall(HandlerContext& c) {  // ucs
  c.D(1) = "A végén a következő jutalmat szeretnéd:"_w;
  static const std::string_view kRewards[] = {""_w,
                                              "biztosabb varázslás"_w,
                                              "pontosabb találat"_w,
                                              "biztosabb védekezés"_w,
                                              "elsöprő lehelet"_w,
                                              "orrfacsaró bűz / elbájoló illat"_w,
                                              "sólyomszem"_w};
  if (c.Int(1) && InRange(c.Value(1), 1, 6)) c.D(2) = std::string(kRewards[c.Value(1)]);
  c.SetTVP("10");
}

// A heading and a table entry for every valid parameter within a range.
void TableList(HandlerContext& c, std::string_view heading, const DataList& table, int lo, int hi) {
  c.D(1) = std::string(heading);
  for (int k = 1; k <= 6; ++k)
    if (c.Valid(k) && InRange(c.Value(k), lo, hi)) c.D(k + 1) = std::string(table[c.Value(k)]);
}

}  // namespace

void RegisterCombatBehaviourCommands(HandlerTable& t) {
  t.Add("vi", [](HandlerContext& c) {
    if (c.Valid(1)) {
      c.D(1) = "Csak akkor harcolsz, ha ellenséged ereje"_w;
      c.D(2) = "nem nagyobb, mint az erősséged "_w + c.P(1) + "%-a";
    }
    if (c.Valid(2)) c.D(3) = "ha méreted "_w + c.P(2) + "% alá esik, elmenekülsz"_w;
  });
  t.Add("tt", [](HandlerContext& c) {
    if (c.Valid(1)) c.D(1) = c.P(1) + " aranyért akarsz harcolni"_w;
  });
  t.Add("pv", [](HandlerContext& c) {
    TableList(c, "Portyázás során ezt szeretnéd csinálni:"_w, tables::FightModeNames(), 1, 8);
  });
  t.Add("psz", [](HandlerContext& c) {
    TableList(c, "A következőkben szeretnél versenyezni:"_w, tables::AttributeNames(), 45, 74);
  });
  t.Add("htt", [](HandlerContext& c) {
    c.D(1) = "Melyek törlődjenek:"_w;
    for (int k = 1; k <= 6; ++k)
      if (c.Valid(k) && c.Value(k) <= 50) c.D(k + 1) = c.P(k) + ". sorszámú"_w;
  });
  t.Add("ell", EnemyList);
  t.Add("lcs", LegendaryBattle);
  t.Add("lp", [](HandlerContext& c) {
    if (c.Valid(1)) {
      c.D(1) = "Licitálsz a következő tárgyra:"_w;
      c.D(2) = c.Item(1);
    }
    if (c.Valid(2)) c.D(3) = c.P(2) + " legenda pontot ajánlasz érte."_w;
  });
  t.Add("lv", LegendaryValley);
  t.Add("ucs", NewHall);
  t.Add("olcs", [](HandlerContext& c) {
    c.D(1) = "Társaid:"_w;
    if (c.Valid(1)) c.D(2) = c.Character(1);
    if (c.Valid(2)) c.D(3) = c.Character(2);
  });
  t.Add(
      "tk",
      [](HandlerContext& c) {
        c.D(1) = "Összefogsz a köv. kaland megoldására:"_w;
        if (c.Valid(1)) c.D(2) = c.P(1) + ". kaland, velük:"_w;
        for (int k = 2; k <= 6; ++k)
          if (c.Valid(k)) c.D(k + 1) = c.Character(k);
      },
      kKeepsTVP);
}

}  // namespace mv
