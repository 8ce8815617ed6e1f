// Sheets, kept letters and a character for the tests of the whole turn.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Cp1250.h"
#include "letter/OrderLetter.h"
#include "store/IniFile.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"
#include "turn/TurnStatus.h"

namespace mv {

namespace fs = std::filesystem;

inline SheetContent SheetOf(const std::string& turn, std::vector<OrderRow> rows) {
  SheetContent sheet;
  sheet.fields.turn = turn;
  sheet.characterKey = "2345";
  for (std::size_t i = 0; i < rows.size(); ++i) sheet.sheet.SetRow(int(i) + 1, rows[i]);
  return sheet;
}

inline const OrderRow kEnter{"be", {"1", "", "", "", "", ""}, "0", "0"};
inline const OrderRow kFood{"e", {}, "0", "0"};
inline const OrderRow kUnknown{"xyz", {}, "0", "0"};

class TurnStatusTest : public TempDirTest {
 public:  // the cases' set-ups write through the fixture
  void Character(const std::string& password, const std::string& extra = {}) {
    WriteFileAtomically(dir_ / "mv.ini", std::string("[Karakterek]\r\n2345=2345\r\n[2345]\r\nKarakterszám=2345\r\n"_w) +
                                             std::string("Karakternév=Kardos\r\nJelszó="_w) + password + "\r\n" +
                                             extra);
  }
  void Save(const SheetContent& sheet, const std::string& name = {}) {
    WriteFileAtomically(dir_ / (name.empty() ? "2345-" + sheet.fields.turn + ".ulf" : name), WriteSheet(sheet));
  }
  // The letter of a sheet kept as sent (or as maybe arrived); `number` is
  // the character the letter itself names.
  std::optional<fs::path> Sent(const SheetContent& sheet, bool unconfirmed = false,
                               const std::string& password = "titok", const std::string& number = "2345") {
    CharacterFields character;
    character.number = number;
    character.password = password;
    return ArchiveSentLetter(dir_, "2345", sheet.fields.turn, OrderLetterText(sheet.sheet, sheet.fields, character),
                             std::time(nullptr), unconfirmed);
  }
  TurnStatus Status(long long turn) {
    IniFile ini(dir_ / "mv.ini");
    const TurnOverview overview = ScanTurns({dir_}, ini, lists_);
    const CharacterTurns* character = overview.Find("2345");
    EXPECT_NE(character, nullptr);
    canSend_ = character && character->canSend;
    const KeptLetters kept(dir_);
    return character ? StatusOf(*character, turn, {lists_, kept, ini}) : TurnStatus{};
  }
  fs::path Dir() const { return dir_; }
  ReferenceLists lists_;
  bool canSend_ = false;
};

}  // namespace mv
