#include "core/CommandCatalogue.h"

#include <algorithm>
#include <array>

#include "core/Cp1250.h"

namespace mv {
namespace {

// Index 0 is command 1. The numbers are binding: sheets and letters store them.
// the catalogue, one command a line
// clang-format off
constexpr std::array<Command, CommandCatalogue::kCount> kCommands = {{
    {"a"_w, "Átadás galetkinek"_w},  // 1
    {"alc"_w, "Álcázás"_w},  // 2
    {"auk"_w, "Tárgy aukcióra bocsátása"_w},  // 3
    {"az"_w, "Tárgy azonosítása"_w},  // 4
    {"b"_w, "Barlang bővítése"_w},  // 5
    {"ba"_w, "Barátságosság beállítása"_w},  // 6
    {"bb"_w, "Belépés több épületbe"_w},  // 7
    {"be"_w, "Belépés épületbe"_w},  // 8
    {"bsz"_w, "Belépés szövetségi barlangba"_w},  // 9
    {"cs"_w, "Csapdaállítás"_w},  // 10
    {"d"_w, "Tárgy eldobása"_w},  // 11
    {"dd"_w, "Összes tárgy eldobása"_w},  // 12
    {"dk"_w, "Kaland dobása"_w},  // 13
    {"e"_w, "Élelemszerzés"_w},  // 14
    {"ea"_w, "Tárgy eladása"_w},  // 15
    {"ee"_w, "Összes tárgy eladása"_w},  // 16
    {"ep"_w, "Építés"_w},  // 17
    {"ert"_w, "Értékelés boltban"_w},  // 18
    {"fc"_w, "Felnőtté válás ceremóniája"_w},  // 19
    {"fel"_w, "Felköltözés magasabb szintre"_w},  // 20
    {"gy"_w, "Gyógyítás"_w},  // 21
    {"h"_w, "Tárgy használata"_w},  // 22
    {"he"_w, "Harci ellenfél meghatározása"_w},  // 23
    {"hf"_w, "Harci program feltételek"_w},  // 24
    {"ho"_w, "Hősiességpont használata"_w},  // 25
    {"hp"_w, "Harci program paraméterei"_w},  // 26
    {"ht"_w, "Harci program törlése"_w},  // 27
    {"i"_w, "Idézés"_w},  // 28
    {"ism"_w, "Parancs ismétlése"_w},  // 29
    {"j"_w, "Javítás"_w},  // 30
    {"k"_w, "Különleges kalandok"_w},  // 31
    {"kf"_w, "Kézbevesz/Felvesz tárgyat"_w},  // 32
    {"kk"_w, "Klánkalandok"_w},  // 33
    {"kno"_w, "Képesség növelése"_w},  // 34
    {"kt"_w, "Tárgy elkészítése, gyógyfű cseréje"_w},  // 35
    {"l"_w, "Lopás beállítása"_w},  // 36
    {"le"_w, "Tárgy levétele"_w},  // 37
    {"lee"_w, "Tárgyak levétele X parancsig"_w},  // 38
    {"lic"_w, "Licitálás az aukción"_w},  // 39
    {"m"_w, "Mozgás az ősök csarnokában"_w},  // 40
    {"mak"_w, "Parancsfüzérek (makrók) definiálása"_w},  // 41
    {"ol"_w, "Jelentkezés az Olimpiára"_w},  // 42
    {"olb"_w, "Jelentk az Olimpiára, ford emailben (b64)"_w},  // 43
    {"olu"_w, "Jelentk az Olimpiára, ford emailben (uuen)"_w},  // 44
    {"p"_w, "Portyázás, Galetki kihívása"_w},  // 45
    {"psz"_w, "Portyázás: Szakértelem verseny"_w},  // 46
    {"pt"_w, "Pszi technika választása"_w},  // 47
    {"pta"_w, "Saját pszi technika (1-5. kör)"_w},  // 48
    {"ptb"_w, "Saját pszi technika (6-10. kör)"_w},  // 49
    {"pv"_w, "Portyázás során való viselkedés"_w},  // 50
    {"sz"_w, "Szövetségbe belépés/kilépés"_w},  // 51
    {"sza"_w, "Szolgának adsz"_w},  // 52
    {"sze"_w, "Szolga elbocsátása"_w},  // 53
    {"szgy"_w, "Szolga gyógyítása"_w},  // 54
    {"szh"_w, "Harcban résztvevő szolgák"_w},  // 55
    {"szl"_w, "Szolgák lélekenergia-részesedése"_w},  // 56
    {"szk"_w, "Szövetségi tag kirúgása"_w},  // 57
    {"szn"_w, "Szolgádnak nevet adsz"_w},  // 58
    {"szno"_w, "Szolga szintjének növelése"_w},  // 59
    {"szv"_w, "Szavazás"_w},  // 60
    {"t"_w, "Tanulás"_w},  // 61
    {"tk"_w, "Többszemélyes kaland"_w},  // 62
    {"tm"_w, "Szövetség megtámadása"_w},  // 63
    {"tpf"_w, "Tevékenységpont felszabadítása"_w},  // 64
    {"tps"_w, "Tevékenységpont spórolása"_w},  // 65
    {"tr"_w, "Transzformáció"_w},  // 66
    {"tt"_w, "Tét beállítása"_w},  // 67
    {"tv"_w, "Támadó/védekező varázslat listák"_w},  // 68
    {"tvsz"_w, "Támadó/védekező varázslat listák szintje"_w},  // 69
    {"uz"_w, "Üzenetküldés"_w},  // 70
    {"v"_w, "Varázslás"_w},  // 71
    {"va"_w, "Varázsital analízis"_w},  // 72
    {"var"_w, "Varázslat növelése"_w},  // 73
    {"vd"_w, "Vadászat"_w},  // 74
    {"ve"_w, "Vásárlás boltban"_w},  // 75
    {"vee"_w, "Több tárgy vásárlása"_w},  // 76
    {"vg"_w, "Vásárlás galetkitől"_w},  // 77
    {"vi"_w, "Viselkedés beállítása"_w},  // 78
    {"x"_w, "Régészet"_w},  // 79
    {"z"_w, "Zenélés"_w},  // 80
    {"lcs"_w, "Legendás csata"_w},  // 81
    {"lp"_w, "Licitálás \"LCS\" tárgyra"_w},  // 82
    {"ftk"_w, "Felszíni tárgy keresés"_w},  // 83
    {"htt"_w, "HP parancs törlése sorszámmal"_w},  // 84
    {"ell"_w, "Ellenfél lista definiálása"_w},  // 85
    {"vv"_w, "Több varázslat elmondása"_w},  // 86
    {"lv"_w, "Legendás Völgy"_w},  // 87
    {"lr"_w, "Ládikóba rejt"_w},  // 88
    {"ad"_w, "Aranydukát szerzése"_w},  // 89
    {"ucs"_w, "Új csarnok kérése"_w},  // 90
    {"ext"_w, "Extra fordulók kérése"_w},  // 91
    {"szki"_w, "Szolga kínzása"_w},  // 92
    {"rsz"_w, "Relikvia szilánk szerzése"_w},  // 93
    {"zsb"_w, "Feneketlen zsákba rakás"_w},  // 94
    {"zsk"_w, "Feneketlen zsákból kivétel"_w},  // 95
    {"zsbm"_w, "Feneketlen zsákba minden"_w},  // 96
    {"zskm"_w, "Feneketlen zsákból minden"_w},  // 97
    {"azs"_w, "automatikus zsákbarakás"_w},  // 98
    {"kl"_w, "Klánképesség használat"_w},  // 99
    {"sp"_w, "Specializáció"_w},  // 100
    {"hu"_w, "Hulladék beállítások"_w},  // 101
    {"olcs"_w, "Csapatolimpia"_w},  // 102
}};
// clang-format on

}  // namespace

const Command& CommandCatalogue::ByNumber(int number) { return kCommands.at(std::size_t(number - 1)); }

int CommandCatalogue::Lookup(std::string_view code) {
  if (code.empty()) return kUnknown;
  const std::string lower = cp1250::Lower(code);
  for (std::size_t i = 0; i < kCommands.size(); ++i)
    if (kCommands[i].code == lower) return int(i) + 1;
  return kUnknown;
}

int CommandCatalogue::LongestCode() {
  std::size_t longest = 0;
  for (const Command& c : kCommands) longest = std::max(longest, c.code.size());
  return int(longest);
}

std::optional<std::string> CommandCatalogue::HelpTopic(std::string_view code) {
  if (!IsKnownCommand(code)) return std::nullopt;
  return "p" + std::string(ByNumber(Lookup(code)).code);
}

}  // namespace mv
