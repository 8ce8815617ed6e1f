// The row diff of two sheets and the search through a sheet's orders.
#include <gtest/gtest.h>

#include "core/Cp1250.h"
#include "core/SheetDiff.h"
#include "core/SheetSearch.h"
#include "core/UL.h"

namespace mv {
namespace {

// "ea 12" style rows; "" for a blank row.
DiffSide Side(std::initializer_list<const char*> rows, std::vector<std::pair<std::string, std::string>> fields = {}) {
  DiffSide side;
  int r = 0;
  for (const char* text : rows) {
    OrderRow& row = side.rows[std::size_t(r++)];
    std::string_view rest(text);
    for (int field = 0; !rest.empty(); ++field) {
      const auto blank = rest.find(' ');
      const std::string piece(rest.substr(0, blank));
      if (field == 0)
        row.code = piece;
      else
        row.params[std::size_t(field - 1)] = piece;
      rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
  }
  side.fields = std::move(fields);
  return side;
}

std::vector<RowDiff> Changes(const SheetDiff& diff) {
  std::vector<RowDiff> out;
  for (const RowDiff& r : diff.rows)
    if (r.change != RowChange::Same) out.push_back(r);
  return out;
}

TEST(SheetDiffTest, EachKindOfChange) {
  using C = RowChange;
  const struct {
    const char* what;
    DiffSide a, b;
    std::vector<RowDiff> changes;
  } kCases[] = {
      {"the same orders", Side({"be 1", "ea 12"}), Side({"be 1", "ea 12"}), {}},
      {"blank rows between count for nothing", Side({"be 1", "", "ea 12"}), Side({"be 1", "ea 12"}), {}},
      {"a row inserted above moves nothing",
       Side({"be 1", "ea 12"}),
       Side({"ism 3", "be 1", "ea 12"}),
       {{0, 1, C::Added, {}}}},
      {"a row removed", Side({"be 1", "ea 12", "ism 3"}), Side({"be 1", "ism 3"}), {{2, 0, C::Removed, {}}}},
      {"parameters changed are named",
       Side({"be 1", "az 12 13"}),
       Side({"be 1", "az 12 14"}),
       {{2, 2, C::Changed, {2}}}},
      {"a row moved", Side({"be 1", "ea 12", "ism 3"}), Side({"ism 3", "be 1", "ea 12"}), {{3, 1, C::Moved, {}}}},
      {"a row moved and changed",
       Side({"be 1", "ea 12", "ism 3"}),
       Side({"ea 13", "be 1", "ism 3"}),
       {{2, 1, C::Changed, {1}}}},
      {"the same code twice: the one in its own row is the changed one",
       Side({"ea 12", "ea 13"}),
       Side({"ea 12", "ea 14"}),
       {{2, 2, C::Changed, {1}}}},
      {"another code is removed and added",
       Side({"be 1"}),
       Side({"ism 1"}),
       {{1, 0, C::Removed, {}}, {0, 1, C::Added, {}}}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const SheetDiff diff = DiffSheets(c.a, c.b);
    EXPECT_EQ(Changes(diff), c.changes);
    EXPECT_EQ(diff.same(), c.changes.empty());
  }
}

TEST(SheetDiffTest, FieldsThatDifferAreNamedAndMakeTheOrdersDiffer) {
  const DiffSide a = Side({"be 1"}, {{"FORD", "12"}, {"PREKAR", ""}});
  const DiffSide b = Side({"be 1"}, {{"FORD", "12"}, {"UL", "OFF"}, {"PREKAR", "2346"}});
  const SheetDiff diff = DiffSheets(a, b);
  EXPECT_EQ(diff.fields, (std::vector<std::string>{"UL", "PREKAR"}));
  EXPECT_FALSE(diff.same());
  EXPECT_EQ(DiffSheets(b, a).fields, (std::vector<std::string>{"PREKAR", "UL"}));
}

class SheetSearchTest : public ::testing::Test {
 protected:
  SheetSearchTest() {
    lists_.items.names.assign(11, "");
    for (std::string_view name : {"Kard"_w, "Pajzs"_w, "Árnyék kardja"_w}) lists_.items.names.emplace_back(name);
    lists_.monsters.names = {std::string("Sárkány"_w)};
    Row(1, "be", "1");
    Row(2, "ea", "12");
    Row(3, "az", "12", "13");
    Row(4, "ea", "14");
    Row(5, "ism", "3");
  }
  void Row(int r, const char* code, const char* p1, const char* p2 = "") {
    sheet_.Cell(r, col::kCode) = code;
    sheet_.Cell(r, col::kFirstParam) = p1;
    sheet_.Cell(r, col::kFirstParam + 1) = p2;
  }
  std::vector<int> Rows(const char* utf8, bool fold) const {
    std::vector<int> rows;
    const OrderSearch search(cp1250::FromUtf8(utf8), fold, lists_);
    for (const SheetHit& hit : search.Hits(sheet_, Lookups(lists_))) rows.push_back(hit.row);
    return rows;
  }
  ReferenceLists lists_;
  OrderSheet sheet_;
};

TEST_F(SheetSearchTest, ByCodeByValueAndByAListsName) {
  const struct {
    const char* text;
    bool fold;
    std::vector<int> rows;
  } kCases[] = {
      {"ea", false, {2, 4}},                              // a code, whole: not "be" for "e"
      {"EA", false, {2, 4}},                              // without case
      {"e", false, {}},      {"12", false, {2, 3}},       // a value, whole: not 1 for "1" in "12"
      {"1", false, {1}},     {"kard", false, {2, 3, 4}},  // names through the numbers: Kard, and in "Árnyék kardja"
      {"pajzs", false, {3}}, {"árnyék", false, {4}},     {"arnyek", false, {}},  // "a" is not "á" unless asked
      {"arnyek", true, {4}}, {"  ism ", false, {5}},                             // blanks around the text
      {"", false, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.text) + (c.fold ? " (fold)" : ""));
    EXPECT_EQ(Rows(c.text, c.fold), c.rows);
  }
}

TEST_F(SheetSearchTest, EachHitCarriesTheRowsInterpretationName) {
  const OrderSearch search("pajzs", false, lists_);
  const std::vector<SheetHit> hits = search.Hits(sheet_, Lookups(lists_));
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].code, "az");
  EXPECT_EQ(hits[0].name, InterpretInOrderUpTo(sheet_, 3, Lookups(lists_)).panel.command);
  EXPECT_FALSE(hits[0].name.empty());
}

TEST(SearchKeyTest, FoldsEveryHungarianAccentOnlyWhenAsked) {
  EXPECT_EQ(SearchKey("ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"_w, false), std::string("árvíztűrő tükörfúrógép"_w));
  EXPECT_EQ(SearchKey("ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"_w, true), "arvizturo tukorfurogep");
}

}  // namespace
}  // namespace mv
