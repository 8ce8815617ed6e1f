#include "ui/ProblemList.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/Text.h"

namespace mv::ui {

ProblemList::ProblemList(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormEllenorzes");
  setWindowTitle("Ellenőrzés");
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName("ListProblems");
  list_->setAccessibleName("Az UL hibái és figyelmeztetései");
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText("&Bezár");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (const int row = item->data(Qt::UserRole).toInt(); row > 0) {
      emit RowChosen(row);
      accept();
    }
  });
  resize(460, 300);
}

void ProblemList::Show(const std::vector<SheetProblem>& problems) {
  list_->clear();
  if (problems.empty()) list_->addItem("Nem találtam hibát.");
  for (const SheetProblem& p : problems) {
    const QStyle::StandardPixmap icon = p.level == SheetProblem::Level::Error     ? QStyle::SP_MessageBoxCritical
                                        : p.level == SheetProblem::Level::Warning ? QStyle::SP_MessageBoxWarning
                                                                                  : QStyle::SP_MessageBoxInformation;
    auto* item = new QListWidgetItem(style()->standardIcon(icon), Q(ProblemLine(p)), list_);
    item->setData(Qt::UserRole, p.row);
    item->setData(Qt::UserRole + 1, QString(LevelName(p.level)));
  }
}

}  // namespace mv::ui
