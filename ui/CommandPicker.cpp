#include "ui/CommandPicker.h"

#include <QFontDatabase>

#include "core/CommandCatalogue.h"
#include "ui/Text.h"

namespace mv::ui {

QString CommandPicker::RowText(int number) {
  const Command& c = CommandCatalogue::ByNumber(number);
  return QString::fromLatin1(c.code.data(), qsizetype(c.code.size())).leftJustified(5, ' ') + Q(c.name);
}

CommandPicker::CommandPicker(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormParancsok");
  setWindowTitle("Parancsválasztás");
  setFixedSize(457, 129);
  list_ = new QListWidget(this);
  list_->setObjectName("StringGrid1");
  list_->setAccessibleName("Parancsok");
  list_->setGeometry(0, 4, 365, 120);
  QFont mono("Courier New");
  mono.setStyleHint(QFont::Monospace);
  mono.setPointSize(8);
  list_->setFont(mono);
  for (int n = 1; n <= CommandCatalogue::kCount; ++n) list_->addItem(RowText(n));
  list_->setCurrentRow(0);

  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  ok->setGeometry(372, 4, 80, 25);
  auto* close = new QPushButton("&Mégsem", this);
  close->setObjectName("ButtonClose");
  close->setGeometry(372, 36, 80, 25);
  auto* help = new QPushButton("&Help", this);
  help->setObjectName("ButtonHelp");
  help->setGeometry(372, 68, 80, 25);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(help, &QPushButton::clicked, this, [this] {
    if (!list_->currentItem()) return;
    if (const auto topic = CommandCatalogue::HelpTopic(CommandCatalogue::ByNumber(SelectedNumber()).code))
      emit HelpRequested(QString::fromStdString(*topic));
  });
}

void CommandPicker::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  list_->setFocus();
}

}  // namespace mv::ui
