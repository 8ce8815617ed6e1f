// Finding orders: a row is found by its code, by a parameter's value, or
// by a name the reference lists give for one of its numbers (an item,
// monster, spell, character or alliance). Letters are compared without
// case; accents only when asked, since "a" and "á" are different letters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/DataList.h"
#include "core/Lookups.h"
#include "core/OrderSheet.h"

namespace mv {

// Windows-1250 text made comparable: lower case, and with foldAccents the
// accented letters as their base letters.
std::string SearchKey(std::string_view text, bool foldAccents);

struct SheetHit {
  int row = 0;
  std::string code;  // as typed
  std::string name;  // the row's interpretation name (Windows-1250)
};

class OrderSearch {
 public:
  // text: Windows-1250, surrounding blanks ignored.
  OrderSearch(std::string_view text, bool foldAccents, const ReferenceLists& lists);
  bool empty() const { return key_.empty(); }

  // The rows of a sheet that match, in row order.
  std::vector<SheetHit> Hits(const OrderSheet& sheet, const Lookups& lookups) const;

 private:
  bool Matches(std::string_view text) const;
  bool NameMatches(std::string_view name) const;

  std::string key_;
  bool fold_;
  // No list holds a name with the text in it: the rows need not be read for
  // names, only the ones found by code or value are interpreted.
  bool namesMayMatch_ = false;
};

}  // namespace mv
