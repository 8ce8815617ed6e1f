// "Elérhető TVP" and "Maradék": the TVP the character has for the turn of
// the sheet shown, kept in mv.ini for that character and turn, and what the
// sheet's orders leave of it.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <optional>

#include "core/SheetEditor.h"
#include "store/IniFile.h"
#include "ui/DocumentSignals.h"

namespace mv::ui {

class BudgetField : public QObject {
  Q_OBJECT
 public:
  BudgetField(QLineEdit* field, QLabel* remaining, IniFile& ini, const SheetEditor& editor, DocumentSignals& changes,
              QObject* parent = nullptr);

  // The field from mv.ini: the character's budget when it is for this turn.
  void ShowStored();
  // "Maradék: Z" from the budget and the orders.
  void ShowRemaining();

 signals:
  void WriteFailed(const QString& message);

 private:
  void Save();
  std::optional<long long> Budget() const;

  QLineEdit* field_;
  QLabel* remaining_;
  IniFile& ini_;
  const SheetEditor& editor_;
};

}  // namespace mv::ui
