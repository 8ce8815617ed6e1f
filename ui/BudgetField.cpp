#include "ui/BudgetField.h"

#include "core/IntegerText.h"
#include "store/CharacterStore.h"
#include "ui/Text.h"

namespace mv::ui {

BudgetField::BudgetField(QLineEdit* field, QLabel* remaining, IniFile& ini, const SheetEditor& editor,
                         DocumentSignals& changes, QObject* parent)
    : QObject(parent), field_(field), remaining_(remaining), ini_(ini), editor_(editor) {
  connect(field_, &QLineEdit::editingFinished, this, &BudgetField::Save);
  connect(field_, &QLineEdit::textEdited, this, &BudgetField::ShowRemaining);
  // Another character or another turn: another budget.
  connect(&changes, &DocumentSignals::CharacterChanged, this, &BudgetField::ShowStored);
  connect(&changes, &DocumentSignals::FieldsChanged, this, &BudgetField::ShowStored);
  connect(&changes, &DocumentSignals::CellsChanged, this, &BudgetField::ShowRemaining);
  ShowStored();
}

void BudgetField::ShowStored() {
  const std::string& key = editor_.character().key;
  const bool stored = !key.empty() && CharacterStore(ini_).IsStored(key);
  field_->setEnabled(stored);
  const auto budget = stored ? ReadTvpBudget(ini_, key).For(editor_.document().fields().turn) : std::nullopt;
  const QString text = budget ? QString::number(*budget) : QString();
  if (field_->text() != text) field_->setText(text);
  ShowRemaining();
}

std::optional<long long> BudgetField::Budget() const {
  if (field_->text().isEmpty()) return std::nullopt;
  bool ok = false;
  const long long value = field_->text().toLongLong(&ok);
  return ok ? std::optional(value) : std::nullopt;
}

void BudgetField::ShowRemaining() {
  const auto budget = Budget();
  if (!budget) {
    remaining_->clear();
    return;
  }
  // The total the in-order loop gives, as the check counts it.
  const RecalculatedSheet fresh = Recalculated(editor_.document().sheet(), editor_.lookups());
  bool variable = false;
  for (int r = 1; r <= OrderSheet::kRows; ++r) variable |= fresh.interpretation.Row(r).tvp == "vált"_w;
  const long long left = *budget - IntOrZero(fresh.figures.tvpTotal);
  remaining_->setText(QString(variable ? "Maradék: legfeljebb %1" : "Maradék: %1").arg(left));
  remaining_->setStyleSheet(left < 0 ? "color: red" : QString());
}

void BudgetField::Save() {
  const std::string& key = editor_.character().key;
  if (key.empty() || !CharacterStore(ini_).IsStored(key)) return;
  const TvpBudget budget{W(field_->text()), editor_.document().fields().turn};
  const TvpBudget stored = ReadTvpBudget(ini_, key);
  // An empty field clears only this turn's budget, not another turn's.
  const bool unchanged = budget.amount.empty() ? stored.amount.empty() || stored.turn != budget.turn
                                               : stored.amount == budget.amount && stored.turn == budget.turn;
  if (unchanged) return;
  if (!WriteTvpBudget(ini_, key, budget))
    emit WriteFailed(Q(ini_.FailureMessage(std::string("Az elérhető TVP-t nem sikerült elmenteni."_w))));
  ShowRemaining();
}

}  // namespace mv::ui
