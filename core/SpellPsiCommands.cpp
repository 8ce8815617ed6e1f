// Handlers of the magic orders: casting, several casts, potion analysis,
// raising spells, attack and defence lists, psi techniques.
#include "core/CommandHandlers.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

const std::string_view kPoisonConditions[] = {
    ""_w,
    "méregsemleg. ha:bénító méreg"_w,
    "méregsemleg. ha:paralizáló méreg"_w,
    "méregsemleg. ha:bénító,paralizáló méreg"_w,
    "méregsemleg. ha:sebző méreg"_w,
    "méregsemleg. ha:sebző,bénitó méreg"_w,
    "méregsemleg. ha:paralizáló,sebző méreg"_w,
};

// How P2..P6 of a special spell are read.
enum class Mode {
  None,
  Coordinates,
  Alchemy,
  Antidote,
  Forgetting,
  ForgettingAll,
  Spirit,
  Trickster,
  Kineport,
  Phantom,
  Detection
};

struct SpecialSpell {
  int number;
  std::string_view text;
  std::string_view tvp;  // empty: the cell stays as it is
  Mode mode;
};

const SpecialSpell kSpecialSpells[] = {
    {146, "Kontaktus őseiddel:"_w, "3", Mode::Coordinates},
    {147, "Alkimiázod:"_w, "", Mode::Alchemy},
    {148, "Méregsemlegesítés"_w, "3", Mode::Antidote},
    {152, "Lefelejted:"_w, "10", Mode::Forgetting},
    {153, "Nagyobb gyógyítás"_w, "3", Mode::None},
    {155, "Nagyobb erőpajzs"_w, "3", Mode::None},
    {157, "Láthatatlanságot varázsolsz"_w, "3", Mode::None},
    {158, "Láthatatlanság észlelését varázsolsz"_w, "1", Mode::None},
    {159, "Szellemidézés a köv. galetkihez:"_w, "3", Mode::Spirit},
    {163, "Kineporttal átküldöd:"_w, "3", Mode::Kineport},
    {176, "Szélpajzs"_w, "10", Mode::None},
    {188, "Sziklaerőt varázsolsz"_w, "3", Mode::None},
    {189, "Elemek uralmát varázsolsz"_w, "3", Mode::None},
    {222, "Hősi ének"_w, "3", Mode::None},
    {247, "Kannibalizmust varázsolsz"_w, "5", Mode::None},
    {263, "Kisebb valóságformálás"_w, "5", Mode::None},
    {264, "Fantomharcolsz vele:"_w, "10", Mode::Phantom},
    {265, "Torzsszülött észlelése. Keresel:"_w, "10", Mode::Detection},
    {268, "Aranyeső"_w, "5", Mode::None},
    {269, "Holdlátó vérkutya észlelése"_w, "20", Mode::None},
};

void SpellParameter(HandlerContext& c, Mode& mode, int k, int alchemy2, int alchemy3) {
  const std::string n = Dec(c.Value(k));  // lookups get the value, not the text
  const Lookups& names = c.Names();
  switch (mode) {
    case Mode::Coordinates:
      if (k == 2) c.D(2) = "(" + n + ";";
      if (k == 3) c.D(2) += n + ")";
      if (k == 4) {
        c.D(3) = "(" + n + ";";
        c.SetTVP("6");
      }
      if (k == 5) c.D(3) += n + ")";
      break;
    case Mode::Alchemy:
      if (k == 2) c.D(2) = names.ItemName(n);
      if (k == 3) {
        c.D(2) = n + " db "_w + c.D(2);
        c.SetTVP("2");
      }
      if (k == 4) {  // three ingredients relist the first two as items
        c.D(2) = names.ItemName(Dec(alchemy2));
        c.D(3) = names.ItemName(Dec(alchemy3));
        c.D(4) = names.ItemName(n);
        c.SetTVP("5");
      }
      if (k >= 5) {
        c.D(k) = names.ItemName(n);
        c.SetTVP(k == 5 ? "6" : "7");
      }
      break;
    case Mode::Antidote:
      if (k == 2) c.D(2) = "Megújítod ha szükséges"_w;
      if (k == 3 && c.Value(3) <= 6) c.D(3) = std::string(kPoisonConditions[c.Value(3)]);
      break;
    case Mode::Forgetting:
      if (k == 2) c.D(2) = names.SpellName(n);
      if (k == 3) {
        c.D(3) = n + "x ismétled"_w;
        c.SetTVP(10LL * c.Value(3));
        if (c.Value(3) == 99) mode = Mode::ForgettingAll;
      }
      break;
    case Mode::ForgettingAll:
      if (k == 4) {
        c.SetTVP("vált"_w);
        c.D(3) = "19-ig felejted"_w;
      }
      break;
    case Mode::Spirit:
      if (k == 2) c.D(2) = names.CharacterName(n);
      if (k == 3) {
        static const std::string_view kSpirits[] = {""_w, "Hencegő szellem"_w, "Ijesztő szellem"_w, "Dicsérő szellem"_w,
                                                    "Beugrató szellem"_w};
        if (c.Value(3) <= 4) c.D(3) = std::string(kSpirits[c.Value(3)]);
        if (c.Value(3) == 4) mode = Mode::Trickster;
      }
      break;
    case Mode::Trickster:
      if (k == 4) {
        c.D(4) = "A következőt kell begyűjteni:"_w;
        c.D(5) = names.ItemName(n);
      }
      if (k == 5) c.PrefixCount(5, 5, false);
      break;
    case Mode::Kineport:
      if (k == 2) {
        c.D(2) = "a következő tárgyat:"_w + names.ItemName(n);
        c.D(3) = "Célpont:"_w;
      } else {
        c.D(k + 1) = names.CharacterName(n);
      }
      break;
    case Mode::Phantom:
      if (k == 2) c.D(2) = names.CharacterName(n);
      break;
    case Mode::Detection:
      if (k == 2) c.D(2) = names.MonsterName(n);
      break;
    case Mode::None: break;
  }
}

void Cast(HandlerContext& c) {  // v
  if (c.Value(1) == 0) c.SetTVP("vált"_w);
  if (!c.Valid(1)) return;
  Mode mode = Mode::None;
  const SpecialSpell* special = nullptr;
  for (const SpecialSpell& s : kSpecialSpells)
    if (s.number == c.Value(1)) special = &s;
  if (special) {
    c.D(1) = std::string(special->text);
    if (!special->tvp.empty()) c.SetTVP(special->tvp);
    mode = special->mode;
  } else {
    // A cost the player typed stays; otherwise the game decides.
    if (c.TVPCell() == "0" || c.TVPCell() == "vált"_w) c.SetTVP("vált"_w);
    c.D(1) = c.Spell(1);
    c.D(2) = "varázslat elmondása"_w;
  }
  const int alchemy2 = c.Valid(2) ? c.Value(2) : 0;
  const int alchemy3 = c.Valid(3) ? c.Value(3) : 0;
  for (int k = 2; k <= 6; ++k)
    if (c.Valid(k)) SpellParameter(c, mode, k, alchemy2, alchemy3);
}

void CastMany(HandlerContext& c) {  // vv
  c.D(8) = "(varázslatok és varázsitalok)"_w;
  const Lookups& names = c.Names();
  for (int k = 1; k <= 6; ++k) {
    const int x = c.Value(k);
    const int option = k < 6 ? c.Value(k + 1) : 0;
    std::string& line = c.D(k + 1);
    if (InRange(x, 50, 127)) {  // a potion, perhaps with a count
      line = option != 0 && option <= 20 ? Dec(option) + "db " + names.ItemName(Dec(x)) : names.ItemName(Dec(x));
    } else if (InRange(x, 21, 49) || x >= 128) {
      if (x == 148 && InRange(option, 1, 6))
        line = std::string(kPoisonConditions[option]);
      else if (!(x == 148 && option < 0))
        line = names.SpellName(Dec(x));
    }
  }
}

void RaiseSpells(HandlerContext& c) {  // var
  long long points = 0;
  for (int spell = 1; spell <= 5; spell += 2) {
    if (c.Valid(spell)) {
      const int v = c.Value(spell);
      c.D(spell) = (InRange(v, 128, 133) ? std::string(tables::PsiAttackNames()[v]) : c.Spell(spell)) + " növelése"_w;
    }
    if (c.Valid(spell + 1)) {
      c.D(spell + 1) = c.P(spell + 1) + " KNO-val"_w;
      points += c.Value(spell + 1);
    }
  }
  c.SetKNORepeated(points);
}

void SpellLists(HandlerContext& c) {  // tv
  if (!c.Valid(1) || c.Value(1) > 5) return;
  c.D(1) = "Törlöd a(z) "_w + c.P(1) + ". TV listát"_w;
  for (int k = 2; k <= 6; ++k) {
    if (!c.Valid(k)) continue;
    c.D(1) = c.P(1) + ". TV lista meghatározása:"_w;
    c.D(k) = InRange(c.Value(k), 53, 62) ? c.Item(k) : c.Spell(k);
  }
}

void SpellListLevels(HandlerContext& c) {  // tvsz
  c.D(1) = "TV-lista szintek:"_w;
  for (int k = 1; k <= 5; ++k)
    if (c.Valid(k)) c.D(k + 1) = Dec(k) + ". lista: erősséged "_w + c.P(k) + "%-a";
}

void PsiTechnique(HandlerContext& c) {  // pt
  const auto v = c.Int(1);
  if (v && InRange(*v, 1, 4)) {
    c.D(1) = "A következő technikát alkalmazod:"_w;
    c.D(2) = std::string(tables::PsiTechniqueNames()[*v]);
  }
  if (c.Int(2) && c.Value(2) == 1) c.D(3) = "Saját pszi technika törlése"_w;
}

// pta and ptb: the player's own technique, five combat rounds per order.
void OwnTechnique(HandlerContext& c, int firstRound) {
  c.D(1) = "Saját pszi technika törlése"_w;
  bool any = false;
  for (int k = 1; k <= 5; ++k) {
    if (!c.Valid(k)) continue;
    any = true;
    const int v = c.Value(k);
    std::string line = Dec(firstRound + k - 1) + ". kör: "_w;
    if (InRange(v, 1, 4)) line += tables::PsiTechniqueNames()[v];
    if (InRange(v, 128, 133)) line += tables::PsiAttackNames()[v];
    c.D(k + 1) = line;
  }
  if (any) c.D(1) = "Létrehozod a saját pszi technikádat:"_w;
}

}  // namespace

void RegisterSpellPsiCommands(HandlerTable& t) {
  t.Add("v", Cast, kKeepsTVP);
  t.Add("vv", CastMany);
  t.Add("va", [](HandlerContext& c) {
    if (!c.Valid(1)) return;
    c.SetTVPRepeated(3);
    c.D(1) = c.Item(1);
  });
  t.Add("var", RaiseSpells);
  t.Add("tv", SpellLists);
  t.Add("tvsz", SpellListLevels);
  t.Add("pt", PsiTechnique);
  t.Add("pta", [](HandlerContext& c) { OwnTechnique(c, 1); });
  t.Add("ptb", [](HandlerContext& c) { OwnTechnique(c, 6); });
}

}  // namespace mv
