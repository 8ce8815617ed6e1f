// The worked examples of the help pages: rows as the player types them, and
// what the interpreter shows for the last one, over small reference lists of
// their own. The help generator and the test of the pages share this.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataList.h"

namespace mv::help {

using Example = std::vector<std::string>;  // rows in order-line form, "ism,3"

// help/examples.txt: code -> its examples; comments and blank lines skipped.
std::map<std::string, std::vector<Example>> ParseExamples(std::string_view text);

struct Shown {
  std::string name;  // Windows-1250
  std::array<std::string, 8> lines;
  std::string tvp, kno;  // the cells as the program shows them
};

ReferenceLists ExampleLists();
// The rows typed into rows 1.. of a new sheet and interpreted in order.
Shown RunExample(const Example& rows);

}  // namespace mv::help
