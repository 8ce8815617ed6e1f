#include "ui/SheetOpenDialog.h"
#include "ui/MessageBoxes.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "store/CharacterStore.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"
#include "ui/Text.h"

namespace mv::ui {

SheetOpenDialog::SheetOpenDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormULOpen");
  setWindowTitle("UL megnyitása");
  setFixedSize(379, 247);
  QFont bold = font();
  bold.setBold(true);
  auto* l1 = new QLabel("Karakterek", this);
  l1->setFont(bold);
  l1->setGeometry(8, 4, 177, 16);
  auto* l2 = new QLabel("Fordulók", this);
  l2->setFont(bold);
  l2->setGeometry(194, 4, 161, 16);
  characters_ = new QListWidget(this);
  characters_->setObjectName("ListBox1");
  characters_->setAccessibleName("Karakterek");
  characters_->setSortingEnabled(true);
  characters_->setGeometry(8, 22, 177, 153);
  turns_ = new QListWidget(this);
  turns_->setObjectName("ListBox2");
  turns_->setAccessibleName("Fordulók");
  turns_->setSortingEnabled(true);
  turns_->setGeometry(194, 22, 177, 153);
  auto* open = new QPushButton("M&egnyit", this);
  open->setObjectName("ButtonOpen");
  open->setDefault(true);
  open->setGeometry(194, 190, 85, 25);
  auto* cancel = new QPushButton("&Mégsem", this);
  cancel->setObjectName("ButtonCancel");
  cancel->setGeometry(286, 190, 85, 25);

  connect(characters_, &QListWidget::currentRowChanged, this, [this] { FillTurns(); });
  connect(characters_, &QListWidget::itemDoubleClicked, this, [this] { OpenLastTurn(); });
  connect(turns_, &QListWidget::itemDoubleClicked, this, [this] { Open(); });
  connect(open, &QPushButton::clicked, this, &SheetOpenDialog::Open);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool SheetOpenDialog::Prepare(const std::vector<std::filesystem::path>& folders, const QStringList& characters) {
  chosen_.reset();
  const SheetScan scan = ScanSheetFolders(folders);
  if (scan.unreadable) {
    Tell(parentWidget(), QMessageBox::Critical, Q(UnreadableSheetMessage(DisplayPath(*scan.unreadable))));
    return false;
  }
  found_ = scan.sheets;
  const QString remembered = characters_->currentItem() ? characters_->currentItem()->text() : QString();
  characters_->clear();
  turns_->clear();
  QStringList sorted = characters;
  SortHungarian(sorted);
  characters_->addItems(sorted);
  const auto same = characters_->findItems(remembered, Qt::MatchExactly);
  if (!same.isEmpty() && !remembered.isEmpty())
    characters_->setCurrentItem(same.first());
  else if (characters_->count() > 0)
    characters_->setCurrentRow(0);
  FillTurns();
  return true;
}

void SheetOpenDialog::FillTurns() {
  turns_->clear();
  if (!characters_->currentItem()) return;
  const std::string key = KeyOfListItem(W(characters_->currentItem()->text()));
  for (const TurnEntry& entry : TurnEntries(found_, key)) {
    auto* item = new QListWidgetItem(Q(entry.text), turns_);
    item->setData(Qt::UserRole, QPath(entry.path));
  }
  turns_->setCurrentRow(-1);
}

void SheetOpenDialog::Open() {
  if (turns_->currentItem()) chosen_ = PathOf(turns_->currentItem()->data(Qt::UserRole).toString());
  accept();
}

void SheetOpenDialog::OpenLastTurn() {
  if (turns_->count() > 0) turns_->setCurrentRow(turns_->count() - 1);
  Open();
}

}  // namespace mv::ui
