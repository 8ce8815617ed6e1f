// The sheet-level fields of the "Adatok" tab that travel with an order sheet.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/IntegerText.h"

namespace mv {

enum class DeliveryForm { None = 0, Base64, Base64Printed, Uuencode, UuencodePrinted, PrintedOnly };

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
  bool operator==(const SheetFields&) const = default;
};

// A turn line that names a turn: digits only, 1 or more.
inline std::optional<long long> ValidTurn(std::string_view turn) {
  if (!IsDecimalDigits(turn)) return std::nullopt;
  const auto value = ParseInteger(turn);
  if (!value || *value < 1) return std::nullopt;
  return *value;
}

}  // namespace mv
