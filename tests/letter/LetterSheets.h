// The sheets the letter tests send, and an outcome's message in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "core/Cp1250.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"

namespace mv {

// What a letter is made of.
struct LetterSheet {
  OrderSheet sheet;
  SheetFields fields;
  CharacterFields character;
};
inline std::vector<std::string> Lines(const LetterSheet& m) { return BuildOrderLetter(m.sheet, m.fields, m.character); }
inline std::string Text(const LetterSheet& m) { return OrderLetterText(m.sheet, m.fields, m.character); }

inline LetterSheet Sheet() {
  LetterSheet m;
  m.character.number = "2345";
  m.character.account = "10001";
  m.character.password = "titok";
  m.fields.turn = "17";
  return m;
}

inline std::string Utf8Message(const SendOutcome& outcome) { return cp1250::ToUtf8(SendOutcomeMessage(outcome)); }

}  // namespace mv
