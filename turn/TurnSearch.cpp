#include "turn/TurnSearch.h"

#include "store/SheetFile.h"

namespace mv {

std::vector<SearchResult> SearchTurns(const TurnOverview& overview, const ReferenceLists& lists,
                                      const OrderSearch& search) {
  std::vector<SearchResult> results;
  if (search.empty()) return results;
  for (const CharacterTurns& character : overview.characters) {
    const Lookups lookups(lists, character.raidCost);
    for (const auto& [turn, path] : character.sheets) {
      const SheetFileRead read = ReadSheetFile(path);
      if (!read.ok) continue;
      for (SheetHit& hit : search.Hits(read.content.sheet, lookups))
        results.push_back({character.key, turn, path, std::move(hit)});
    }
  }
  return results;
}

}  // namespace mv
