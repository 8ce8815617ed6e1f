#include "ui/BudgetField.h"

#include <QApplication>

#include "core/IntegerText.h"
#include "core/TvpLeft.h"
#include "store/CharacterStore.h"
#include "ui/Colours.h"
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
  connect(&changes, &DocumentSignals::FiguresChanged, this, &BudgetField::ShowRemaining);
  ShowStored();
}

void BudgetField::ShowStored() {
  const std::string& key = editor_.character().key;
  const std::string& turn = editor_.document().fields().turn;
  const bool stored = !key.empty() && CharacterStore(ini_).IsStored(key);
  field_->setEnabled(stored && ValidTurn(turn));
  const auto budget = stored ? ReadTvpBudget(ini_, key, turn) : std::nullopt;
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
    remaining_->setToolTip({});
    return;
  }
  // The total the in-order loop gives, as the check counts it.
  const RecalculatedSheet fresh = Recalculated(editor_.document().sheet(), editor_.lookups());
  const TvpLeft left = TvpLeftOf(*budget, fresh);
  QString text = QString(left.atMost ? "Maradék: legfeljebb %1" : "Maradék: %1").arg(left.amount);
  // "Össz TVP" sums the column as it stands; after an edit above a row the
  // rows below it keep their old costs until they are interpreted again.
  const bool stale = fresh.figures.tvpTotal != editor_.document().figures().tvpTotal;
  if (stale) text += " (újraszámolva)";
  remaining_->setText(text);
  remaining_->setToolTip(stale ? "Az „Össz TVP” a TVP oszlop összege, ahogy a sorok most állnak; a Maradék a "
                                 "sorok sorrendben újraszámolt költségéből jön, mint az ellenőrzésnél. A Ctrl+R "
                                 "(Újraszámolás) egyezteti a kettőt."
                               : QString());
  remaining_->setAccessibleDescription(remaining_->toolTip());
  const QColor red = Readable(Qt::red, QApplication::palette().color(QPalette::Window));
  remaining_->setStyleSheet(left.over() ? QString("color: %1").arg(red.name()) : QString());
}

void BudgetField::Save() {
  const std::string& key = editor_.character().key;
  const std::string& turn = editor_.document().fields().turn;
  if (key.empty() || !ValidTurn(turn) || !CharacterStore(ini_).IsStored(key)) return;
  const auto stored = ReadTvpBudget(ini_, key, turn);
  const std::string typed = W(field_->text());
  if (typed == (stored ? std::to_string(*stored) : std::string())) return;
  // Only this turn's budget changes; every other turn keeps its own.
  if (!WriteTvpBudget(ini_, key, turn, typed))
    emit WriteFailed(Q(ini_.FailureMessage(std::string("Az elérhető TVP-t nem sikerült elmenteni."_w))));
  ShowRemaining();
}

}  // namespace mv::ui
