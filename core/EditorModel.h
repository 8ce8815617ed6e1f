// The values of the main window that the logic reads and writes: the grid,
// the description panel, the figures, the sheet fields and the lists. The
// window only displays these and forwards events.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/DataList.h"
#include "core/OrderSheet.h"
#include "core/SheetHistory.h"

namespace mv {

// Interpretation state per row, kept beside the grid (index 0 stays zero so
// that row 1 reads a neutral "row above").
struct RowFlags {
  std::int32_t repeatCount = 0;
  bool atTrader = false;
  bool atAuction = false;
  std::int32_t huntCount = 0;
  bool isMovementRow = false;
  bool raidRow = false;
  bool inHall = false;
};

struct RowStateTable {
  std::array<RowFlags, OrderSheet::kRows + 1> rows{};
  void Clear() { rows.fill(RowFlags{}); }
  RowFlags& operator[](int row) { return rows.at(std::size_t(row)); }
  const RowFlags& operator[](int row) const { return rows.at(std::size_t(row)); }
};

// "Parancs" group: the command's name and eight description lines.
struct DescriptionPanel {
  std::string command;               // LabelParancs
  std::array<std::string, 8> lines;  // LabelD1 .. LabelD8
  void Clear() {
    command.clear();
    for (auto& l : lines) l.clear();
  }
};

// The three captions under the grid.
struct SheetFigures {
  std::string checkNumber = "0";  // RxLabelEllsz
  std::string tvpTotal = "0";     // RxLabelOsszTVP
  std::string knoTotal = "0";     // RxLabelOsszKNO
};

enum class DeliveryForm { None = 0, Base64, Base64Printed, Uuencode, UuencodePrinted, PrintedOnly };

// Fields of the "Adatok" tab that travel with an order sheet.
struct SheetFields {
  std::string turn = "1";                      // EditFord
  bool requestUL = false;                      // CheckBoxUL
  bool requestJL = false;                      // CheckBoxJL
  bool extraTurn = false;                      // CheckBoxEXT
  bool clubCode = false;                       // CheckBoxKlub
  DeliveryForm delivery = DeliveryForm::None;  // the five radio buttons
  bool queued = false;                         // CheckBoxSorb
  std::string queueCharacter;                  // EditSorbKar
  std::string queueTurn;                       // EditSorbFord
};

// Character fields of the "Adatok" tab.
struct CharacterFields {
  std::string number = "0000";  // EditKar
  std::string account = "10000";
  std::string password;
  std::string name;
  std::string description;  // EditKarLeiras
  std::string diet;         // ComboBox1
  int raidCost = 10;        // RxSpinEdit1, TVP of a raid
};

struct EditorModel {
  OrderSheet sheet;
  int currentRow = 1;
  int currentCol = 1;
  DescriptionPanel panel;
  SheetFigures figures;
  RowStateTable rowState;
  SheetFields fields;
  CharacterFields character;
  ReferenceLists lists;

  bool sheetModified = false;
  SheetHistory history;  // the grid's undo steps
  std::string sheetFileName;
  std::string currentCharacterKey;
  DeliveryForm deliveryFormIndex = DeliveryForm::None;
};

}  // namespace mv
