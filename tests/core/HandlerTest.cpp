// Command handlers: description lines and costs, row by row, as a player
// stepping down the sheet sees them. Each case lists the rows from row 1;
// the last row is checked, every line not named must be empty. Fields after
// P6 are the typed TVP and KNO cells.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "core/Cp1250.h"
#include "core/UL.h"

namespace mv {
namespace {

struct HandlerCase {
  std::vector<const char*> rows;  // "code,P1,...,P6" like a sheet's order line
  std::map<int, const char*> lines;
  const char* tvp;
  const char* kno;
};

class HandlerTest : public ::testing::TestWithParam<HandlerCase> {};

ReferenceLists TestLists() {
  ReferenceLists m;
  m.items.names.assign(1000, "");
  m.items.names[11] = "Kard";
  m.items.names[54] = cp1250::FromUtf8("Gyógyfű");
  m.items.names[522] = "Kulcs";
  m.characters.names.assign(100, "");
  m.characters.names[1] = "Borz";
  m.spells.names.assign(1000, "");
  m.spells.names[490] = cp1250::FromUtf8("Villám");    // spell 500
  m.spells.names[17] = cp1250::FromUtf8("Gyógyítás");  // spell 27
  m.monsters.names.assign(100, "");
  m.monsters.names[24] = cp1250::FromUtf8("Ork");  // monster 25
  return m;
}

void PutRow(OrderSheet& sheet, int row, std::string_view line) {
  std::stringstream in{std::string(line)};
  std::string field;
  int c = col::kCode;
  while (c <= col::kKNO && std::getline(in, field, ',')) sheet.Cell(row, c++) = field;
}

TEST_P(HandlerTest, LinesAndCosts) {
  const HandlerCase& t = GetParam();
  const ReferenceLists lists = TestLists();
  OrderSheet sheet;
  int row = 0;
  for (const char* line : t.rows) PutRow(sheet, ++row, line);
  const RowResult last = InterpretInOrderUpTo(sheet, row, Lookups(lists));
  for (int n = 1; n <= 8; ++n) {
    const auto want = t.lines.find(n);
    EXPECT_EQ(cp1250::ToUtf8(last.panel.lines[std::size_t(n - 1)]), want == t.lines.end() ? "" : want->second)
        << "line " << n;
  }
  EXPECT_EQ(cp1250::ToUtf8(last.tvp), t.tvp);
  EXPECT_EQ(last.kno, t.kno);
}

// Items, trade and the auction.
// The cases, one a line.
// clang-format off
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
    HandlerCase{{"bsz,2,35"}, {{1, "Belépsz a szövetségi barlangba"}, {2, "Betérsz az ivóba"}, {3, "Alkímiázod a következő szolgád:"}}, "30", "0"},
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


// Servants and the alliance.
INSTANTIATE_TEST_SUITE_P(Servants, HandlerTest, ::testing::Values(
    HandlerCase{{"sz"}, {{1, "Új szövetség megalapítása"}}, "0", "0"},
    HandlerCase{{"ism,3", "sz,1"}, {{1, "Új szövetség megalapítása"}}, "15", "0"},
    HandlerCase{{"sza,12,3,2"}, {{1, "2. szolgád kapja a köv. tárgya(ka)t:"}, {2, "3 db Kard (#12)"}}, "0", "0"},
    HandlerCase{{"sza,,3"}, {{2, "3 db "}}, "0", "0"},
    HandlerCase{{"sza,12,,99"}, {{1, "Minden szolgádnak adsz:"}, {2, "Kard (#12)"}}, "0", "0"},
    HandlerCase{{"sza,12,,100"}, {{1, "1. szolgád kapja a köv. tárgya(ka)t:"}, {2, "Kard (#12)"}}, "0", "0"},
    HandlerCase{{"szh,1,2,9"}, {{1, "Melyek jöjjenek/ne jöjjenek harcolni:"}, {2, "1. szolga"}, {3, "2. szolga"}}, "0", "0"},
    HandlerCase{{"szno,2,05"}, {{1, "2. szolgád szintjét növeled"}, {2, "05 KNO-val"}}, "10", "05"},
    HandlerCase{{"szn,1,704"}, {{1, "1. szolgád neve:"}, {2, "Zsír"}}, "3", "0"},
    HandlerCase{{"szn,1,705"}, {{1, "1. szolgád neve:"}}, "3", "0"},
    HandlerCase{{"tm,2,15000"}, {}, "0", "0"},
    HandlerCase{{"tm,1,15000"}, {{1, "Megtámadod a(z) -t"}}, "10", "0"},
    HandlerCase{{"ism,2", "szki,1,5"}, {{1, "Megkínzod a 1. számú szolgádat."}, {2, "5 KNO-t próbálsz kinyerni"}}, "30", "0"},
    HandlerCase{{"szv,2001"}, {{1, "Borz (#2001)-nek"}, {2, "átadod a szavazatodat"}}, "0", "0"}));

// Spells and psi.
INSTANTIATE_TEST_SUITE_P(Spells, HandlerTest, ::testing::Values(
    HandlerCase{{"v"}, {}, "vált", "0"},
    HandlerCase{{"v,153"}, {{1, "Nagyobb gyógyítás"}}, "3", "0"},
    HandlerCase{{"v,500,,,,,,12"}, {{1, "Villám (#500)"}, {2, "varázslat elmondása"}}, "12", "0"},
    HandlerCase{{"v,500"}, {{1, "Villám (#500)"}, {2, "varázslat elmondása"}}, "vált", "0"},
    HandlerCase{{"v,147,12,,,,,9"}, {{1, "Alkimiázod:"}, {2, "Kard (#12)"}}, "9", "0"},  // the cell stays
    HandlerCase{{"v,147,12,3"}, {{1, "Alkimiázod:"}, {2, "3 db Kard (#12)"}}, "2", "0"},
    HandlerCase{{"v,147,12,3,55"}, {{1, "Alkimiázod:"}, {2, "Kard (#12)"}, {3, "3. tárgy"}, {4, "Gyógyfű (#55)"}}, "5", "0"},
    HandlerCase{{"v,147,12,3,55,4,5"}, {{1, "Alkimiázod:"}, {2, "Kard (#12)"}, {3, "3. tárgy"}, {4, "Gyógyfű (#55)"}, {5, "4. tárgy"}, {6, "5. tárgy"}}, "7", "0"},
    HandlerCase{{"v,152,500,4"}, {{1, "Lefelejted:"}, {2, "Villám (#500)"}, {3, "4x ismétled"}}, "40", "0"},
    HandlerCase{{"v,152,500,99,1"}, {{1, "Lefelejted:"}, {2, "Villám (#500)"}, {3, "19-ig felejted"}}, "vált", "0"},
    HandlerCase{{"v,146,10,20,30,40"}, {{1, "Kontaktus őseiddel:"}, {2, "(10;20)"}, {3, "(30;40)"}}, "6", "0"},
    HandlerCase{{"v,159,2001,4,12,2"}, {{1, "Szellemidézés a köv. galetkihez:"}, {2, "Borz (#2001)"}, {3, "Beugrató szellem"}, {4, "A következőt kell begyűjteni:"}, {5, "2 db Kard (#12)"}}, "3", "0"},
    HandlerCase{{"vv,55,3,148,2"}, {{2, "3db Gyógyfű (#55)"}, {4, "méregsemleg. ha:paralizáló méreg"}, {8, "(varázslatok és varázsitalok)"}}, "0", "0"},
    HandlerCase{{"ism,2", "var,,5,,,,7"}, {{2, "5 KNO-val"}, {6, "7 KNO-val"}}, "0", "24"},
    HandlerCase{{"tv,3"}, {{1, "Törlöd a(z) 3. TV listát"}}, "0", "0"},
    HandlerCase{{"tv,6,500"}, {}, "0", "0"},
    HandlerCase{{"ptb,,129"}, {{1, "Létrehozod a saját pszi technikádat:"}, {3, "7. kör: Mentális robbanás (#129)"}}, "0", "0"},
    HandlerCase{{"pt,2,1"}, {{1, "A következő technikát alkalmazod:"}, {2, "A kígyó technikája"}, {3, "Saját pszi technika törlése"}}, "0", "0"}));

// Learning, transformation and activity points.
INSTANTIATE_TEST_SUITE_P(Learning, HandlerTest, ::testing::Values(
    HandlerCase{{"t,3,20"}, {{1, "Fejleszted a köv. tulajdonságod:"}, {2, "Ügyesség (#3)"}, {3, "20 TVP-ért"}}, "20", "0"},
    HandlerCase{{"ism,2", "t,3,20"}, {{1, "Fejleszted a köv. tulajdonságod:"}, {2, "Ügyesség (#3)"}, {3, "20 TVP-ért"}}, "40", "0"},
    HandlerCase{{"t,34"}, {{1, "Tanulással nem fejlesztheted a"}, {2, "Méregimmunitás (#27)-t"}}, "0", "0"},
    HandlerCase{{"t,60"}, {{1, "Tanulással nem fejlesztheted a"}, {2, "Pszi támadás (#60)-t"}}, "0", "0"},
    HandlerCase{{"t,59"}, {{1, "Tanulod a köv. szakértelmet:"}, {2, "Vezetőkészség (#59)"}}, "0", "0"},
    HandlerCase{{"tr,5"}, {{1, "5. képességtől megszabadulsz"}}, "10", "0"},
    HandlerCase{{"tr,103,106"}, {{1, "103. számú végtagod felcseréled a"}, {2, "106 számúval."}}, "10", "0"},
    HandlerCase{{"tr,105,105"}, {{1, "105. számú végtag képességet\r\n transzformálod"}}, "30", "0"},
    HandlerCase{{"tr,105,108"}, {}, "vált", "0"},
    HandlerCase{{"tr,1,9"}, {{1, "Étrend megváltoztatása"}, {2, "Vegetáriánusok körébe akarsz tartozni"}}, "vált", "0"},
    HandlerCase{{"sp,1,,,,,,7"}, {{1, "Specializálódsz:"}, {2, "a klán kedvence"}}, "7", "0"},
    HandlerCase{{"sp"}, {{1, "Specializálódsz:"}}, "vált", "0"},
    HandlerCase{{"tpf,5"}, {{1, "5 TVP felszabadítása"}}, "-5", "0"},
    HandlerCase{{"kl,15,3"}, {}, "0", "0"},
    HandlerCase{{"kl,16,3"}, {{1, "Burjánzol a 3. csatában"}}, "0", "0"}));

// Hunting, buying and gathering.
INSTANTIATE_TEST_SUITE_P(Hunting, HandlerTest, ::testing::Values(
    HandlerCase{{"vd", "vd"}, {{1, "Vadászni indulsz"}}, "13", "0"},
    HandlerCase{{"vd", "vd,25"}, {{1, "Vadászni fogsz a következőre:"}, {2, "Ork (#25)"}}, "18", "0"},
    HandlerCase{{"ism,3", "vd"}, {{1, "Vadászni indulsz"}}, "39", "0"},
    HandlerCase{{"ism,3", "vd,25"}, {{1, "Vadászni fogsz a következőre:"}, {2, "Ork (#25)"}}, "54", "0"},
    HandlerCase{{"ism,3", "vd", "vd"}, {{1, "Vadászni indulsz"}}, "19", "0"},
    HandlerCase{{"ism,2000000000", "vd"}, {{1, "Vadászni indulsz"}}, "6000000017000000000", "0"},
    HandlerCase{{"ve,12", "ve,13"}, {{1, "Megveszed a következő tárgyakat:"}, {2, "13. tárgy"}}, "0", "0"},
    HandlerCase{{"ve,218,12,13,14", "ve,13"}, {{1, "Megveszed a következő tárgyakat:"}, {2, "13. tárgy"}}, "5", "0"},
    HandlerCase{{"ve,218,12,13,14"}, {{1, "Megveszed a dukátkereskedőtől:"}, {2, "Kard (#12)"}, {3, "13. tárgy"}, {4, "14. tárgy"}}, "15", "0"},
    HandlerCase{{"vee,100,200,3"}, {{1, "Megveszed a következő tárgyakat:"}, {2, "100. tárgy"}, {3, "200. tárgy"}, {4, "mindegyikből 3 darabot"}}, "5", "0"},
    HandlerCase{{"ad,1,500"}, {{1, "Aranydukátot szerzel:"}, {2, "aranyat váltasz"}, {3, "500 db-ot."}}, "0", "0"},
    HandlerCase{{"ad,1,10"}, {{1, "Aranydukátot szerzel:"}, {2, "aranyat váltasz"}, {3, "dolgozol érte"}}, "10", "0"},
    HandlerCase{{"z,588,,12"}, {{1, "588. tárgy-t használod"}, {3, "Dudálni fogsz a következőre: "}, {4, "12. torzszülött"}}, "0", "0"},
    HandlerCase{{"z,587,,12"}, {{1, "587. tárgy-t használod"}}, "0", "0"},
    HandlerCase{{"lr,12,,552"}, {{1, "(Berakod\\Kicseréled)"}, {2, "Kard (#12)"}}, "0", "0"},
    HandlerCase{{"ftk,2,523"}, {{2, "árnyékcsata."}, {3, "Keresel: Kulcs (#523)"}}, "0", "0"}));

// Combat behaviour, raids and the legendary events.
INSTANTIATE_TEST_SUITE_P(Legendary, HandlerTest, ::testing::Values(
    HandlerCase{{"lcs,5"}, {{1, "LCS futtatása, ha legalább: 5"}, {2, "társad jelentkezett már"}}, "0", "0"},
    HandlerCase{{"lcs,5,80"}, {{1, "LCS futtatása, ha legalább: 5"}, {2, "társad jelentkezett már."}, {3, "A Xeno királynő ellen készülsz."}}, "0", "0"},
    HandlerCase{{"lcs,,80"}, {{1, "LCS futtatása, ha legalább: 0"}, {2, "társad jelentkezett már."}, {3, "A Xeno királynő ellen készülsz."}}, "0", "0"},
    HandlerCase{{"lv,2,17"}, {{1, "Felkeresed a legendák völgyét"}, {2, "A 2. számú csapatot választod."}, {3, "Keresel: 17. torzszülött"}}, "60", "0"},
    HandlerCase{{"lv,8,2001,2001,2001"}, {{1, "Felkeresed a legendák völgyét"}, {2, "Az Uralkodóhoz készülsz. Veled tart:"}, {3, "Borz (#2001)"}, {4, "Borz (#2001)"}, {5, "Borz (#2001)"}}, "50", "0"},
    HandlerCase{{"lv,3"}, {{1, "Felkeresed a legendák völgyét"}}, "0", "0"},
    HandlerCase{{"ell,1901,5,1902,7"}, {{1, "1901. számú ellenfél listába kerül:"}, {3, "5. torzszülött"}, {4, "1902. számú ellenfél listába kerül:"}, {5, "7. torzszülött"}}, "0", "0"},
    HandlerCase{{"ell,1901,1902"}, {{1, "1901. számú ellenfél listába kerül:"}}, "0", "0"},
    HandlerCase{{"ucs"}, {{1, "A végén a következő jutalmat szeretnéd:"}}, "10", "0"},
    HandlerCase{{"tk,3,,,,,,8"}, {{1, "Összefogsz a köv. kaland megoldására:"}, {2, "3. kaland, velük:"}}, "8", "0"},
    HandlerCase{{"htt,51"}, {{1, "Melyek törlődjenek:"}}, "0", "0"},
    HandlerCase{{"pv,1,8,9"}, {{1, "Portyázás során ezt szeretnéd csinálni:"}, {2, "Harc"}, {3, "Nem akarsz harcolni"}}, "0", "0"}));

// The bottomless sack and waste.
INSTANTIATE_TEST_SUITE_P(Sack, HandlerTest, ::testing::Values(
    HandlerCase{{"zsb,120,3,12,1"}, {{1, "Feneketlen zsákba rakod:"}, {2, "3. db 120. tárgy"}, {3, "1. db Kard (#12)"}}, "0", "0"},
    HandlerCase{{"zsb,120"}, {{1, "Feneketlen zsákba rakod:"}}, "0", "0"},
    HandlerCase{{"zsbm,0,4,9"}, {{1, "berakod mindegyik:"}, {3, "fegyver"}, {4, "minden"}}, "0", "0"},
    HandlerCase{{"zsbm,,4,9"}, {{1, "berakod az összes:"}, {3, "4. tárgy"}, {4, "9. tárgy"}}, "0", "0"},
    HandlerCase{{"azs,0,2"}, {{1, "automatikusan beteszed az összes:"}, {3, "ékszer"}}, "0", "0"},
    HandlerCase{{"hu,14,,,100,9,27"}, {{5, "Megtartod ha: méretet"}, {6, "Megtartod ha: Méregimmunitás (#27)"}}, "0", "0"},
    HandlerCase{{"hu,15"}, {{1, "15 aranyig a nem mágikus tárgyat eladod."}}, "0", "0"}));
// clang-format on

}  // namespace
}  // namespace mv

#include "core/CommandHandlers.h"

namespace mv {
namespace {

TEST(HandlerTableTest, EveryCommandHasAHandler) {
  for (int n = 1; n <= CommandCatalogue::kCount; ++n)
    EXPECT_NE(Handlers().ForNumber(n), nullptr) << CommandCatalogue::ByNumber(n).code;
  EXPECT_EQ(Handlers().ForNumber(CommandCatalogue::kUnknown), nullptr);
}

}  // namespace
}  // namespace mv
