// Handlers of the commands that take the character into buildings, the hall
// of the ancestors, adventures, raids and the games.
#include "core/CharacterRules.h"
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

using tables::DestinationNames;

std::string Clan(int v) { return std::string(tables::DietAndClanNames()[v]); }

void Cave(HandlerContext& c) {  // b
  long long cost = 0;
  if (c.Valid(1)) {
    c.D(1) = "Barlangod méretét növeled "_w + c.P(1) + " egységgel"_w;
    cost += 10LL * c.Value(1);
  }
  const bool slots = c.Valid(2) && c.Value(2) <= 100;
  if (slots) {
    c.D(2) = "Tárgyhelyed bővíted "_w + c.P(2) + " egységgel"_w;
    cost += 3LL * c.Value(2);
  }
  if (c.Valid(1) || c.Valid(2)) c.SetTVPRepeated(cost);
}

void EnterMany(HandlerContext& c) {  // bb
  long long cost = 0;
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    const int v = c.Value(k);
    if (InRange(v, 1, 9) || v == 20 || v == 30) {
      c.D(k) = "Belépsz "_w + DestinationNames()[v];
      cost += (v == 5 || v == 6 || v == 30) ? 10 : 5;
    } else if (InRange(v, 10, 18)) {
      c.D(k) = "Belépsz a köv. klánhoz: "_w + Clan(v);
      cost += 5;
    } else {
      continue;
    }
    if (v == 1) c.State().atTrader = true;
    if (v == 2) c.State().atAuction = true;
    if (v != 1 && v != 2 && v != 4) c.State().atTrader = c.State().atAuction = false;
  }
  c.SetTVPRepeated(cost);
}

void Enter(HandlerContext& c) {  // be
  const int d = c.Valid(1) ? c.Value(1) : 0;
  std::string clan;
  bool leaveMark = false, limbMark = false;
  int service = 0, hermit = 0;

  if (InRange(d, 1, 9) || d == 20 || d == 21 || d == 29 || d == 30) {
    c.SetTVPRepeated((d == 5 || d == 6 || d == 21 || d == 30) ? 10 : 5);
    c.D(1) = "Belépsz "_w + DestinationNames()[d];
    c.State().atTrader = d == 1;
    c.State().atAuction = d == 2;
  } else if (InRange(d, 10, 18)) {
    c.SetTVPRepeated(5);
    clan = Clan(d);
    c.D(1) = "Belépsz a köv. klánhoz: "_w + clan;
  }

  if (c.Valid(2)) {
    const int v = c.Value(2);
    if (InRange(d, 10, 19)) {
      c.D(1) = (v == 1 ? "Belépsz a következő klánba: "_w : "Belépsz a köv. klánhoz: "_w) + clan;
      leaveMark = v == 99;
    } else if (d == 4) {  // academy
      c.SetTVPRepeated(20);
      auto learn = [&](std::string_view heading, int kno) {
        c.D(2) = std::string(heading);
        c.D(3) = AttributeName(v);
        c.SetKNORepeated(kno);
      };
      if (InRange(v, 10, 34))
        learn("Megtanulod a köv. harci képességet:"_w, 5);
      else if (InRange(v, 45, 74))
        learn("Megtanulod a köv. szakértelmet:"_w, 5);
      else if (InRange(v, 100, 105))
        learn("Új végtagot növesztesz:"_w, 10);
      else if (InRange(v, 200, 210)) {
        learn("Végtagra rakott képességek elsajátítása:"_w, 5);
        c.D(4) = "? végtagra"_w;
        limbMark = true;
      }
    } else if (d == 9) {  // temple
      static const std::string_view kServices[] = {""_w,
                                                   "gyógyítanak rajtad"_w,
                                                   "fiatalítanak rajtad"_w,
                                                   "szolga gyógyítása"_w,
                                                   "annihilált szolga rekonstruálása"_w,
                                                   "mágikus eredetű átok eltávolítása"_w,
                                                   "átkozott tárgyak megsemmisítése"_w,
                                                   "csonkolt végtag visszanövesztése"_w};
      service = v;
      if (InRange(v, 1, 7)) c.D(2) = std::string(kServices[v]);
      if (v == 7) c.SetTVP("50");
    } else if (d == 3) {  // wizard tower
      c.SetTVP("30");
      c.D(2) = "megtanulod a következő varázslatot:"_w;
      c.D(3) = c.Spell(2);
    } else if (d == 20) {  // hermit
      hermit = v;
      if (v == 2) {
        c.D(2) = "megvesztegeted a remetét!"_w;
      } else if (v == 4) {
        c.D(2) = "beváltasz 10 felszíni tárgyat"_w;
        c.SetTVP("20");
      } else if (v == 5) {
        c.D(2) = "elkéred az ezüstmágusok kürtjét"_w;
        c.SetTVP("20");
      } else {
        c.D(2) = "a rejtvény megfejtése: "_w + c.P(2);
      }
    } else if (d == 8) {  // psi school
      if (v == 1) {
        c.SetTVP("50");
        c.SetKNO("10");
        c.D(2) = "Megtanulod a pszít"_w;
      } else if (InRange(v, 128, 133)) {
        c.SetTVP("20");
        c.SetKNO("5");
        c.D(2) = "Megtanulod a köv. pszi képességet:"_w;
        c.D(3) = std::string(tables::PsiAttackNames()[v]);
      }
    } else if (d == 21) {  // team arena
      c.D(1) += ". Társaid:"_w;
      c.D(2) = c.Character(2);
    } else if (d == 29) {  // casino
      c.D(2) = Dec(v) + "x játszol"_w;
      c.SetTVP(v);
    }
  }

  if (c.Valid(3)) {
    const int v = c.Value(3);
    if (limbMark && (v - 1) % 3 == 0 && v > 99) c.D(4) = "a "_w + c.P(3) + ". végtagra"_w;
    if (d == 9) {
      if (service == 1) c.D(3) = c.P(3) + " ÉP-t"_w;
      if (service == 2) c.D(3) = c.P(3) + " évet"_w;
      if (service == 3 || service == 4) c.D(3) = c.P(3) + ". szolga"_w;
    }
    if (d == 21) c.D(3) = c.Character(3);
    if (InRange(d, 10, 18))
      c.D(1) = leaveMark && v == 99 ? "Kilépsz a következő klánból: "_w + clan
                                    : std::string("Belépsz a köv. klán főhadiszállására:"_w);
    if (d == 20 && hermit == 3) {
      c.D(2) = "Felszíni tárgy azonosíttatása:"_w;
      c.D(3) = c.Item(3);
    }
    if (d == 20 && hermit == 20) {
      if (v == 1) c.D(2) = "Új rejtvényt kérsz a legendás völgyhöz"_w;
      if (v >= 2) c.D(2) = "LV rejtvényének megfejtése: "_w + Dec(v);
    }
    if (d == 3) {
      c.SetTVP("60");
      c.D(4) = c.Spell(3);
    }
  }

  // The wizard tower's price follows the position of the last spell.
  if (d == 3) {
    for (int k = 4; k <= 6; ++k) {
      if (!c.Valid(k)) continue;
      c.SetTVP(30LL * (k - 1));
      c.D(k + 1) = c.Spell(k);
    }
  }
}

// The places of the alliance cave, by the number typed, and what each adds.
struct AllianceCaveVisit {
  int number;
  std::string_view line;
  long long cost;
  bool replacesCost = false;  // alchemy costs its own, whatever came before
};

// clang-format off
constexpr AllianceCaveVisit kAllianceCaveVisits[] = {
    {1, "Listát kapsz a szövetség épületeirol"_w, 5},
    {2, "Betérsz az ivóba"_w, 2},
    {3, "Nekrofun trón használata"_w, 3},
    {4, "Betérsz a vadászsarokba"_w, 20},
    {5, "Betérsz a gyógyító kamrába"_w, 5},
    {6, "Szolgáidat munkára fogod"_w, 0},
    {8, "Listát kapsz a szövetség tagjairól"_w, 5},
    {9, "Listát kapsz a szöv. épületeirol és tagjairól"_w, 10},
    {35, "Alkímiázod a következő szolgád:"_w, 30, true},
};
// clang-format on

const AllianceCaveVisit* FindVisit(int number) {
  for (const AllianceCaveVisit& visit : kAllianceCaveVisits)
    if (visit.number == number) return &visit;
  return nullptr;
}

void AllianceCave(HandlerContext& c) {  // bsz
  c.D(1) = "Belépsz a szövetségi barlangba"_w;
  if (c.Valid(1) && c.Value(1) == 35) {
    c.D(2) = "Alkímiázod a következő szolgád:"_w;
    if (c.Valid(2)) c.D(3) = c.P(2) + ". szolga"_w;
    return;
  }
  long long cost = 3;
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    const int v = c.Value(k);
    const AllianceCaveVisit* visit = FindVisit(v);
    if (visit) cost = visit->replacesCost ? visit->cost : cost + visit->cost;
    if (IsCharacterNumber(v)) {
      c.D(k + 1) = "Infó (építés): "_w + c.Character(k);
      cost += 1;
    } else {
      c.D(k + 1) = visit ? std::string(visit->line) : std::string();
    }
  }
  c.SetTVP(cost);
}

std::string Adventure(HandlerContext& c, int k) { return c.P(k) + ". kaland"_w; }

void Build(HandlerContext& c) {  // ep
  if (c.Valid(1) && c.Value(1) <= 77) {
    c.D(1) = "Építesz a következő épületbe:"_w;
    c.D(2) = std::string(tables::BuildingNames()[c.Value(1)]);
  }
  if (c.Valid(2)) {
    c.D(3) = c.P(2) + " TVP-t"_w;
    if (c.Value(2) > 75) c.D(3) = "egy körben max 75 TVP-ért építhetsz!"_w;
    c.SetTVP(c.RepeatedParameter(2));
  }
  if (c.Valid(3)) {
    const int v = c.Value(3);
    c.D(4) = "Az építkezés során"_w;
    c.D(5) = AttributeRaiseLine(v, false);
    if (v > 99) c.D(5) = c.P(3) + ". képességedet növeled"_w;
  }
  if (c.Valid(4) && InRange(c.Value(4), 20, 49) && c.Value(1) == 17)
    c.D(5) += "\r\n 3 db "_w + c.Item(4) + "-t\r\n beadsz a fűraktárba"_w;
}

void Fight(HandlerContext& c) {  // fc
  if (c.Valid(1)) {
    c.D(1) = "A következő Galetkikkel:"_w;
    c.D(2) = c.Character(1);
    c.SetTVP("20");
  }
  if (c.Valid(2)) c.D(3) = c.Character(2);
}

void TakeAdventures(HandlerContext& c) {  // k
  c.D(1) = "A következő kalando(ka)t elvállalod:"_w;
  c.ListLines(1, 1, [&](int k) { return Adventure(c, k); });
  c.TVPZeroToVariable();
}

void ClanAdventures(HandlerContext& c) {  // kk
  if (c.Valid(1)) {
    c.D(1) = "A következő klánkalando(ka)t elvállalod:"_w;
    c.D(2) = Adventure(c, 1);
    c.TVPZeroToVariable();
  }
  for (int k = 2; k <= 3; ++k)
    if (c.Valid(k)) c.D(k + 1) = Adventure(c, k);
}

void Hall(HandlerContext& c) {  // m
  RowFlags& state = c.State();
  bool entryPending = false, justEntered = false, moving = false;
  std::string entry;
  for (int k = 1; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    const std::string& p = c.P(k);
    std::string& own = c.D(k + 1);
    if (k == 1) {
      state.inHall = true;
      moving = true;
    }
    const bool startsHere = k == 1 && (c.Row() == 1 || !c.Above().inHall);
    if (startsHere || (k > 1 && !state.inHall && !entryPending)) {
      own = "Belépsz a(z) ("_w + p + ";";
      entry = own;
      entryPending = true;
      continue;
    }
    if (entryPending) {  // x and y of the entry point
      c.D(k) = entry + p + ") ponton"_w;
      entryPending = false;
      justEntered = true;
      state.inHall = true;
      continue;
    }
    if (justEntered) {
      c.D(k) = "Mozogsz az Ősök csarnokában:"_w;
      justEntered = false;
    }
    if (moving) state.inHall = true;
    if (p[0] != '8') {
      for (std::size_t i = 0; i < std::min<std::size_t>(p.size(), 4) && state.inHall; ++i) {
        switch (p[i]) {
          case '1': own += "Észak "_w; break;
          case '2': own += "Kelet "_w; break;
          case '3': own += "Dél "_w; break;
          case '4': own += "Nyugat "_w; break;
          case '7': own += "Megveszt "_w; break;
          case '5':
            own += "Kilépsz "_w;
            state.inHall = false;
            moving = false;
            break;
          default: break;
        }
      }
    } else if (p == "8") {
      own = "A rejtvényt KNO árán megfejted"_w;
    } else if (p == "800") {
      own = "Dimenziókapu varázslatot használsz"_w;
    } else {
      own = "A rejvény megoldása: "_w + p.substr(1);
    }
  }
  c.TVPZeroToVariable();
}

void Olympics(HandlerContext& c, std::string_view encoding) {  // ol, olb, olu
  c.D(1) = "Jelentkezel az Olimpiai játékokra"_w;
  if (c.Valid(1)) {
    c.D(2) = "A(z) "_w + c.P(1) + ". szintről"_w;
    c.D(3) = "A következőkban veszel részt:"_w;
  }
  if (c.Valid(2)) {
    static const std::string_view kEvents[] = {
        ""_w, "Csak harcban"_w,       "Csak játékos versenyekben"_w,     "Harcban és játékos versenyben"_w,
        ""_w, "Harcban és pszíben"_w, "Pszíben és játékos versenyben"_w, "Mind a háromban"_w};
    const int v = c.Value(2);
    if (InRange(v, 1, 7) && v != 4) c.D(3) = std::string(kEvents[v]);
  }
  if (encoding.empty()) return;
  c.D(5) = std::string(encoding);
  if (c.Valid(3) && c.Value(3) == 1) c.D(6) = "Nyomtatott fordulót is kérsz"_w;
}

void Raid(HandlerContext& c) {  // p
  const long long cost = c.RaidCost();
  bool earlier = false;
  for (int r = 1; r < c.Row(); ++r) earlier = earlier || c.StateOf(r).raidRow;
  c.State().raidRow = true;
  const long long repeat = c.Above().repeatCount;
  if (repeat == 0)
    c.SetTVP(earlier ? cost : 0);
  else
    c.SetTVP(earlier ? repeat * cost : (repeat - 1) * cost);  // the first raid of the sheet is free
  c.D(1) = "Portyázni indulsz"_w;
  if (c.Valid(1)) c.D(1) = "Kihívod "_w + c.Character(1) + "-t";
  if (c.Valid(2)) {
    switch (c.Value(2)) {
      case 1: c.D(2) = "Közlöd vele a PV listádat"_w; break;
      case 2: c.D(2) = "Közlöd vele a PV és PSZ listádat"_w; break;
      case 9:
        c.D(1) = "Kihívását visszautasítod:"_w;
        c.D(2) = c.Valid(1) ? c.Character(1) : std::string();
        break;
      default: break;
    }
  }
}

}  // namespace

void RegisterBuildingMovementCommands(HandlerTable& t) {
  t.Add("b", Cave);
  t.Add("bb", EnterMany);
  t.Add("be", Enter);
  t.Add("bsz", AllianceCave);
  t.Add("dk", [](HandlerContext& c) {
    c.D(1) = "Dobod a következő kalando(ka)t:"_w;
    c.ListLines(1, 1, [&](int k) { return Adventure(c, k); });
  });
  t.Add("ep", Build);
  t.Add("fc", Fight);
  t.Add("fel", [](HandlerContext& c) {
    c.D(1) = "Felköltözöl"_w;
    c.SetTVP("30");
  });
  t.Add("k", TakeAdventures, kKeepsTVP);
  t.Add("kk", ClanAdventures, kKeepsTVP);
  t.Add("m", Hall, kKeepsTVP);
  t.Add("ol", [](HandlerContext& c) { Olympics(c, {}); });
  t.Add("olb", [](HandlerContext& c) { Olympics(c, "A fordulót B64-el kódolva kéred"_w); });
  t.Add("olu", [](HandlerContext& c) { Olympics(c, "A fordulót uuencode-olva kódolva kéred"_w); });
  t.Add("p", Raid);
}

}  // namespace mv
