// Handlers of the combat program orders: target, conditions, program lines,
// deletion and heroism points. None of them costs anything.
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

std::string_view ConditionHeading(int k) {
  if (InRange(k, 1, 10)) return "Időtartam korlátozás"_w;
  switch (k) {
    case 11: return "Ha ellenfeleid száma maximum"_w;
    case 12: return "Ha ellenfeleid száma minimum"_w;
    case 13: return "Ha ellenfeled galetki"_w;
    case 14: return "Ha ellenfeled torzszülött"_w;
    case 15: return "Ha ellenfeled a következő:"_w;
    case 16: return "Ha ellenfeled a köv. körbe tartozik:"_w;
    case 17: return "Ha ellenfeled rendelkezik a képességgel:"_w;
    case 18: return "Ha ellenfeled nem rendelkezik ezzel:"_w;
    case 20:
    case 21: return "Ha az életerőd"_w;
    case 22:
    case 23: return "Ha van olyan ellenfeled, akinek az ép-je"_w;
    case 24:
    case 25: return "Ha az ellenfelek összerőssége a tiétek"_w;
    case 26: return "Ha közelharcban támad legalább"_w;
    case 27: return "Ha ellenfeleden van a köv. varázslat:"_w;
    case 28: return "Ha ellenfeleden nincs a köv. varázslat:"_w;
    default: return {};
  }
}

// One condition: the code in parameter `code`, its value in parameter `arg`.
void DescribeCondition(HandlerContext& c, int code, int arg, int headingLine, int argLine) {
  const int k = c.Valid(code) ? c.Value(code) : 0;
  const std::string_view heading = ConditionHeading(k);
  if (!heading.empty())
    c.D(headingLine) = std::string(heading);
  else if (!c.P(code).empty())
    c.D(headingLine) = "A paraméter 10-18 vagy 20-28 !"_w;
  if (k == 23) c.D(argLine) = "osztva a hátralevő körök számával"_w;

  const auto x = c.Int(arg);
  if (!x || k > 28) return;
  const std::string& typed = c.P(arg);
  std::string& line = c.D(argLine);
  const int v = *x;
  if (InRange(k, 1, 10)) {
    if (v == 0) line = "A parancsot a "_w + Dec(k) + ". körben hajtsd végre"_w;
    if (v == 1) line = "A parancsot a "_w + Dec(k) + ". körig hajtsd végre"_w;
    if (v == 2) line = "A parancsot a "_w + Dec(k) + ". körtől hajtsd végre"_w;
    return;
  }
  switch (k) {
    case 11:
    case 12: line = typed; break;
    case 15:
      if (v < 1000)
        line = c.Monster(arg);
      else if (v > 1999)
        line = c.Character(arg);
      break;
    case 16:
      if (InRange(v, 1, 9))
        line = std::string(tables::DietAndClanNames()[v]);
      else if (InRange(v, 10, 18))
        line = tables::DietAndClanNames()[v] + " klánjának tagjai"_w;
      else if (InRange(v, 10000, 99999))
        line = c.Alliance(arg) + " tagjai";
      break;
    case 17:
    case 18: line = std::string(InRange(v, 10, 34) ? tables::AttributeNames()[v] : AttributeConditionName(v)); break;
    case 20: line = typed + "% alatt van"; break;
    case 21: line = typed + "% felett van"; break;
    case 22: line = "maximum " + typed; break;
    case 23: line = "osztva a hátralevő körök számával max "_w + typed; break;
    case 24: line = typed + "%-a felett van"; break;
    case 25: line = typed + "%-a alatt van"; break;
    case 26: line = typed + " ellenfél"_w; break;
    case 27:
    case 28: line = c.Spell(arg); break;
    default: break;
  }
}

void Target(HandlerContext& c) {  // he
  const auto v = c.Int(1);
  if (!v || !InRange(*v, 0, 19)) return;
  c.D(1) = "Közelharcban a köv. ellenfelet választod:"_w;
  c.D(2) = std::string(tables::TargetSelectorNames()[*v]);
}

void Heroism(HandlerContext& c) {  // ho
  c.D(1) = "Egy próba során maximum "_w;
  const auto points = c.Int(1);
  if (points && *points >= 0) c.D(2) = c.P(1) + " hősiességpontot használsz el"_w;
  const int p1 = c.Value(1);
  if ((p1 == 0 || p1 == 1) && c.Value(2) == 1) {
    c.D(1) = p1 == 1 ? "Csarnokban is használsz HO pontot."_w : "Csarnokban nem használsz fel HO pontot."_w;
    c.D(2).clear();
  }
}

void ProgramLine(HandlerContext& c) {  // hp
  const int action = c.Valid(1) ? c.Value(1) : 0;
  if (c.Valid(1)) {
    static const std::string_view kActions[] = {""_w,
                                                "Közelharc támadás"_w,
                                                "Támadás harci képességgel"_w,
                                                "Védekező varázslat felrakása"_w,
                                                "Támadó varázslat alkalmazása"_w,
                                                "Lőfegyver használata"_w};
    c.D(1) = action <= 5 ? std::string(kActions[action]) : std::string("1 és 5 között kell lennie!"_w);
  }
  if (const auto y = c.Int(2)) {
    if (action == 1 && *y != 0) {
      c.D(2) = "paraméternek 0 kell!"_w;
    } else if (action == 2 && InRange(*y, 10, 34)) {
      c.D(2) = AttributeName(*y);
    } else if (action == 3 && InRange(*y, 53, 62)) {
      c.D(1) = "A harcban használod:"_w;
      c.D(2) = c.Item(2);
    } else if (action == 3 || action == 4) {
      c.D(2) = c.Spell(2);
    }
  }
  DescribeCondition(c, 3, 4, 3, 4);
  if (c.Valid(5)) c.D(5) = "a parancs prioritása legyen "_w + c.P(5);
  if (c.Valid(6)) {
    const int code = c.Valid(3) ? c.Value(3) : 0;
    if (code == 17) c.D(6) = "és ha a képessége min "_w + c.P(6) + " szintű"_w;
    if (code == 18) c.D(6) = "vagy ha a képessége max "_w + c.P(6) + " szintű"_w;
  }
}

void DeletePrograms(HandlerContext& c) {  // ht
  c.D(1) = "Az összes harci program kitörlése"_w;
  const auto v = c.Int(1);
  if (!v || *v < 0) return;
  c.D(1) = "A parancs törli az összes olyan harci"_w;
  c.D(2) = "parancsot, amelyeknek paramétere"_w;
  c.D(3) = "megegyezik az itt megadott, nem nulla"_w;
  c.D(4) = "paraméterekkel (Lásd Help [F1])."_w;
}

}  // namespace

void RegisterCombatProgramCommands(HandlerTable& t) {
  t.Add("he", Target);
  t.Add("hf", [](HandlerContext& c) {
    for (int pair = 0; pair < 3; ++pair) DescribeCondition(c, 2 * pair + 1, 2 * pair + 2, 2 * pair + 1, 2 * pair + 2);
  });
  t.Add("ho", Heroism);
  t.Add("hp", ProgramLine);
  t.Add("ht", DeletePrograms);
}

}  // namespace mv
