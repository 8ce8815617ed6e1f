// Command handlers: description lines and costs, row by row, as a player
// stepping down the sheet sees them. Each case lists the rows from row 1;
// the last row is checked, every line not named must be empty.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "core/Cp1250.h"
#include "core/SheetEditor.h"

namespace mv {
namespace {

struct HandlerCase {
  std::vector<const char*> rows;  // "code,P1,...,P6" like a sheet's order line
  std::map<int, const char*> lines;
  const char* tvp;
  const char* kno;
};

class HandlerTest : public ::testing::TestWithParam<HandlerCase> {};

EditorModel ModelWithLists() {
  EditorModel m;
  m.lists.items.names.assign(1000, "");
  m.lists.items.names[11] = "Kard";
  m.lists.items.names[54] = cp1250::FromUtf8("Gyógyfű");
  m.lists.items.names[522] = "Kulcs";
  m.lists.characters.names.assign(100, "");
  m.lists.characters.names[1] = "Borz";
  m.lists.spells.names.assign(1000, "");
  m.lists.spells.names[490] = cp1250::FromUtf8("Villám");  // spell 500
  m.lists.spells.names[17] = cp1250::FromUtf8("Gyógyítás");  // spell 27
  m.lists.monsters.names.assign(100, "");
  m.lists.monsters.names[24] = cp1250::FromUtf8("Ork");  // monster 25
  return m;
}

void PutRow(EditorModel& m, int row, std::string_view line) {
  std::stringstream in{std::string(line)};
  std::string field;
  int c = col::kCode;
  while (c <= col::kLastParam && std::getline(in, field, ',')) m.sheet.Cell(row, c++) = field;
}

TEST_P(HandlerTest, LinesAndCosts) {
  const HandlerCase& t = GetParam();
  EditorModel m = ModelWithLists();
  SheetEditor editor(m);
  int row = 0;
  for (const char* line : t.rows) {
    PutRow(m, ++row, line);
    m.currentRow = row;
    editor.InterpretCurrentRow();
  }
  for (int n = 1; n <= 8; ++n) {
    const auto want = t.lines.find(n);
    EXPECT_EQ(cp1250::ToUtf8(m.panel.lines[std::size_t(n - 1)]), want == t.lines.end() ? "" : want->second)
        << "line " << n;
  }
  EXPECT_EQ(cp1250::ToUtf8(m.sheet.Cell(row, col::kTVP)), t.tvp);
  EXPECT_EQ(m.sheet.Cell(row, col::kKNO), t.kno);
}

// Items, trade and the auction.
INSTANTIATE_TEST_SUITE_P(Items, HandlerTest, ::testing::Values(
    HandlerCase{{"be,1", "ea,12"}, {{1, "Eladod a következő tárgya(ka)t:"}, {2, "Kard (#12)"}}, "0", "0"},
    HandlerCase{{"d,1", "ea,12,3"}, {{1, "Eladod a következő tárgya(ka)t:"}, {2, "3 db Kard (#12)"}}, "5", "0"},
    HandlerCase{{"ee,x"}, {{1, "Eladod az összes ilyen tárgyadat:"}}, "0", "0"},
    HandlerCase{{"ism,3", "az,12,13,14"},
                {{1, "Azonosítod a köv. tárgya(ka)t:"}, {2, "Kard (#12)"}, {3, "13. tárgy"}, {4, "14. tárgy"}}, "18", "0"},
    HandlerCase{{"h,14,3"}, {{1, "Varázsitalfőzés"}, {2, "3 db  varázsital főzése"}}, "15", "0"},
    HandlerCase{{"h,14,25"}, {{1, "Varázsitalfőzés"}}, "5", "0"},
    HandlerCase{{"h,8,100"}, {{1, "Őskővel növeled a köv. tulajdonságod:"}, {2, "100. képesség"}}, "0", "0"},
    HandlerCase{{"h,8,1500"}, {{1, "Őskővel növeled a köv. tulajdonságod:"}, {2, "Villám (#500)"}}, "0", "0"},
    HandlerCase{{"h,x,12"}, {{2, "0. tárgy"}, {3, "Kard (#12)"}}, "0", "0"},
    HandlerCase{{"h,12,,55"}, {{1, "Használni akarod a köv. tárgya(ka)t:"}, {2, "Kard (#12)"}, {4, "Gyógyfű (#55)"}}, "vált", "0"},
    HandlerCase{{"kf,523,103"}, {{1, "A következő tárgya(ka)t akarod felvenni:"}, {2, "Kulcs (#523)"}, {3, "a 103. végtagodba veszed"}}, "0", "0"},
    HandlerCase{{"kf,103"}, {{1, "A következő tárgya(ka)t akarod felvenni:"}}, "0", "0"},
    HandlerCase{{"d,x,3"}, {{2, "3 db "}}, "0", "0"},
    HandlerCase{{"kt,12,55,55"}, {{1, "Gyógyfű csere"}, {2, "Kard (#12) -t kérsz"}, {3, "2 db Gyógyfű (#55) -t és"}, {4, "Gyógyfű (#55) -t adsz"}}, "2", "0"},
    HandlerCase{{"a,2001,12,2"}, {{1, "Tárgyakat eladásra kínálsz fel neki:"}, {2, "Borz (#2001)"}, {3, "2 db Kard (#12)"}}, "0", "0"},
    HandlerCase{{"be,2", "auk,12,1,50"}, {{1, "Aukcióra bocsáltod a köv. tárgya(ka)t:"}, {2, "1 db Kard (#12)"}, {3, "50 arany kikiáltási áron"}}, "0", "0"},
    HandlerCase{{"lee,3,12"}, {{1, "A következő tárgya(ka)t akarod letenni:"}, {2, "3 körig leteszed:"}, {3, "Kard (#12)"}}, "0", "0"}));

// Buildings, the hall, adventures and raids.
INSTANTIATE_TEST_SUITE_P(Buildings, HandlerTest, ::testing::Values(
    HandlerCase{{"be,5", "ea,12"}, {{1, "Eladod a következő tárgya(ka)t:"}, {2, "Kard (#12)"}}, "5", "0"},
    HandlerCase{{"ism,2", "be,4,45"}, {{1, "Belépsz az akadémiára"}, {2, "Megtanulod a köv. szakértelmet:"}, {3, "Csapdakészítés (#45)"}}, "40", "10"},
    HandlerCase{{"be,4,211"}, {{1, "Belépsz az akadémiára"}}, "20", "0"},
    HandlerCase{{"be,3,500,,27"}, {{1, "Belépsz a varázslótoronyba"}, {2, "megtanulod a következő varázslatot:"}, {3, "Villám (#500)"}, {5, "Gyógyítás (#27)"}}, "90", "0"},
    HandlerCase{{"be,12,99,99"}, {{1, "Kilépsz a következő klánból: Mágusok"}}, "5", "0"},
    HandlerCase{{"bb,1,2", "auk,12"}, {{1, "Aukcióra bocsáltod a köv. tárgya(ka)t:"}, {2, "Kard (#12)"}}, "0", "0"},
    HandlerCase{{"bb,1,5", "ea,12"}, {{1, "Eladod a következő tárgya(ka)t:"}, {2, "Kard (#12)"}}, "5", "0"},
    HandlerCase{{"p"}, {{1, "Portyázni indulsz"}}, "0", "0"},
    HandlerCase{{"p", "p,2001,1"}, {{1, "Kihívod Borz (#2001)-t"}, {2, "Közlöd vele a PV listádat"}}, "10", "0"},
    HandlerCase{{"ism,3", "p"}, {{1, "Portyázni indulsz"}}, "20", "0"},
    HandlerCase{{"m,12,34,1234,5"}, {{2, "Belépsz a(z) (12;34) ponton"}, {3, "Mozogsz az Ősök csarnokában:"}, {4, "Észak Kelet Dél Nyugat "}, {5, "Kilépsz "}}, "vált", "0"},
    HandlerCase{{"m,12,34,15"}, {{2, "Belépsz a(z) (12;34) ponton"}, {3, "Mozogsz az Ősök csarnokában:"}, {4, "Észak Kilépsz "}}, "vált", "0"},
    HandlerCase{{"m,12,34,1", "m,5"}, {{2, "Kilépsz "}}, "vált", "0"},
    HandlerCase{{"m,12,34,5", "m,7,8"}, {{2, "Belépsz a(z) (7;8) ponton"}}, "vált", "0"},
    HandlerCase{{"ol,3,4"}, {{1, "Jelentkezel az Olimpiai játékokra"}, {2, "A(z) 3. szintről"}, {3, "A következőkban veszel részt:"}}, "0", "0"},
    HandlerCase{{"olb,3,7,1"}, {{1, "Jelentkezel az Olimpiai játékokra"}, {2, "A(z) 3. szintről"}, {3, "Mind a háromban"}, {5, "A fordulót B64-el kódolva kéred"}, {6, "Nyomtatott fordulót is kérsz"}}, "0", "0"},
    HandlerCase{{"b,2,5"}, {{1, "Barlangod méretét növeled 2 egységgel"}, {2, "Tárgyhelyed bővíted 5 egységgel"}}, "35", "0"},
    HandlerCase{{"bsz,2,4,2001"}, {{1, "Belépsz a szövetségi barlangba"}, {2, "Betérsz az ivóba"}, {3, "Betérsz a vadászsarokba"}, {4, "Infó (építés): Borz (#2001)"}}, "26", "0"},
    HandlerCase{{"bsz,35,7"}, {{1, "Belépsz a szövetségi barlangba"}, {2, "Alkímiázod a következő szolgád:"}, {3, "7. szolga"}}, "0", "0"},
    HandlerCase{{"ep,3,80"}, {{1, "Építesz a következő épületbe:"}, {2, "Térkapu (#3)"}, {3, "egy körben max 75 TVP-ért építhetsz!"}}, "80", "0"},
    HandlerCase{{"k"}, {{1, "A következő kalando(ka)t elvállalod:"}}, "vált", "0"},
    HandlerCase{{"fel"}, {{1, "Felköltözöl"}}, "30", "0"}));

// Combat program orders.
INSTANTIATE_TEST_SUITE_P(CombatProgram, HandlerTest, ::testing::Values(
    HandlerCase{{"hf,5,1"}, {{1, "Időtartam korlátozás"}, {2, "A parancsot a 5. körig hajtsd végre"}}, "0", "0"},
    HandlerCase{{"hf,19"}, {{1, "A paraméter 10-18 vagy 20-28 !"}}, "0", "0"},
    HandlerCase{{"hf,,7"}, {}, "0", "0"},
    HandlerCase{{"hf,16,12"}, {{1, "Ha ellenfeled a köv. körbe tartozik:"}, {2, "Mágusok klánjának tagjai"}}, "0", "0"},
    HandlerCase{{"hf,17,307,17,12"}, {{1, "Ha ellenfeled rendelkezik a képességgel:"}, {2, "legnagyobb lehelet"}, {3, "Ha ellenfeled rendelkezik a képességgel:"}, {4, "Savlehellet (#12)"}}, "0", "0"},
    HandlerCase{{"hf,23,40"}, {{1, "Ha van olyan ellenfeled, akinek az ép-je"}, {2, "osztva a hátralevő körök számával max 40"}}, "0", "0"},
    HandlerCase{{"hp,1,0"}, {{1, "Közelharc támadás"}}, "0", "0"},
    HandlerCase{{"hp,1,3"}, {{1, "Közelharc támadás"}, {2, "paraméternek 0 kell!"}}, "0", "0"},
    HandlerCase{{"hp,3,55"}, {{1, "A harcban használod:"}, {2, "Gyógyfű (#55)"}}, "0", "0"},
    HandlerCase{{"hp,4,500,18,,,4"}, {{1, "Támadó varázslat alkalmazása"}, {2, "Villám (#500)"}, {3, "Ha ellenfeled nem rendelkezik ezzel:"}, {6, "vagy ha a képessége max 4 szintű"}}, "0", "0"},
    HandlerCase{{"he,5"}, {{1, "Közelharcban a köv. ellenfelet választod:"}, {2, "?"}}, "0", "0"},
    HandlerCase{{"he,20"}, {}, "0", "0"},
    HandlerCase{{"ho,1,1"}, {{1, "Csarnokban is használsz HO pontot."}}, "0", "0"},
    HandlerCase{{"ho,3"}, {{1, "Egy próba során maximum "}, {2, "3 hősiességpontot használsz el"}}, "0", "0"},
    HandlerCase{{"ht"}, {{1, "Az összes harci program kitörlése"}}, "0", "0"}));

// Orders on the character itself.
INSTANTIATE_TEST_SUITE_P(Character, HandlerTest, ::testing::Values(
    HandlerCase{{"kno,3,2,1130,5"}, {{1, "Ügyesség (#3) tulajdonságodat növeled"}, {2, "2 képességponttal"}, {3, "Agyvihar (#130)pszí kép. növelése"}, {4, "5 képességponttal"}}, "0", "7"},
    HandlerCase{{"kno,1200"}, {{1, "200. varázslatvarázslat növelése"}}, "0", "0"},
    HandlerCase{{"e,15"}, {{1, "Hibás paraméter"}}, "0", "0"},
    HandlerCase{{"e"}, {{1, "Élelmet szerzel 30 TVP-ért"}}, "30", "0"},
    HandlerCase{{"e,9,40"}, {{1, "Minden olyan szolgád számára"}, {2, "próbálsz élelmet szerezni, amelynek"}, {3, "jóllakottsága 40% alatt van"}}, "vált", "0"},
    HandlerCase{{"ism,2", "e,20"}, {{1, "Élelmet szerzel 20 TVP-ért"}}, "40", "0"},
    HandlerCase{{"ism,x", "e,3"}, {{1, "Élelmet szerzel a(z) 3. szolgádnak"}}, "20", "0"},
    HandlerCase{{"mak,2,4,3"}, {{1, "2. makrót módosítod"}, {2, "a következő 4 paranccsal a 3. sortól."}}, "0", "0"},
    HandlerCase{{"mak,2,4,4"}, {{1, "2. makrót módosítod"}, {2, "A 2. és 3. paraméter összege max 7 lehet.!"}}, "0", "0"},
    HandlerCase{{"mak,7"}, {{1, "Csak 5 makród van!"}}, "0", "0"},
    HandlerCase{{"gy,,,,61"}, {{1, "Gyógyítás feltétles parancs törlése"}, {5, "61. tárgy használata"}}, "0", "0"},
    HandlerCase{{"gy,,,,,61"}, {{1, "Gyógyítás feltétles parancs törlése"}}, "0", "0"},
    HandlerCase{{"ba,19"}, {{1, "Barátságos leszel a következőkkel:"}}, "0", "0"},
    HandlerCase{{"ba,25,12"}, {{1, "Barátságos leszel a következőkkel:"}, {2, "Ork (#25)"}, {3, "Mágusok klánjának tagjai"}}, "0", "0"},
    HandlerCase{{"alc,3"}, {{1, "Hírnevedet csökkented 3 egységgel"}}, "vált", "0"},
    HandlerCase{{"i,20,2,,1,12"}, {{1, "Idézel, ha a varázspontod 20 alá esik"}, {2, "maximum 2x"}, {4, "Nekrofun trón használata"}, {5, "tárgyhasználat: Kard (#12)"}}, "0", "0"},
    HandlerCase{{"cs,15,12"}, {{1, "Csapdát állítasz 15 TVP-ért"}, {2, "ezzel: Kard (#12)"}}, "15", "0"}));

}  // namespace
}  // namespace mv
