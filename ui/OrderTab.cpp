#include "ui/OrderTab.h"

#include <algorithm>
#include <memory>
#include "ui/MessageBoxes.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/Potions.h"
#include "ui/Captions.h"
#include "ui/Colours.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int w) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, w, 16);
  return label;
}

QLabel* Figure(QWidget* parent, const char* objectName, int x, int y) {
  auto* label = Caption(parent, "0", x, y, 60);
  label->setObjectName(objectName);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

}  // namespace

OrderTab::OrderTab(SheetEditor& editor, DocumentSignals& changes, QWidget* parent) : QWidget(parent), editor_(editor) {
  grid_ = new OrderGrid(editor, this);
  grid_->setObjectName("StringGrid1");
  grid_->setAccessibleName("Utasítások");
  SetFlatGrid(false);
  picker_ = new CommandPicker(this);
  connect(picker_, &CommandPicker::HelpRequested, this, &OrderTab::ContextHelpRequested);
  connect(grid_, &OrderGrid::ContextHelpRequested, this, &OrderTab::ContextHelpRequested);
  connect(grid_, &OrderGrid::MainHelpRequested, this, &OrderTab::MainHelpRequested);
  connect(grid_, &OrderGrid::PopupRequested, this, &OrderTab::PopupRequested);

  QFont title("Times New Roman");
  title.setPixelSize(19);
  title.setBold(true);
  title.setItalic(true);
  labelName_ = new QLabel(this);
  labelName_->setObjectName("LabelName");
  labelName_->setFont(title);
  labelName_->setGeometry(384, 4, 216, 24);
  labelFord_ = new QLabel(this);
  labelFord_->setObjectName("LabelFord");
  labelFord_->setFont(title);
  labelFord_->setGeometry(384, 28, 216, 24);

  auto* group = new QGroupBox(" Parancs ", this);
  group->setObjectName("ParancsPanel");
  group->setToolTip("Parancsértelmezés");
  group->setGeometry(384, 56, 216, 232);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(2);
  labelParancs_ = new QLabel(group);
  labelParancs_->setObjectName("LabelParancs");
  QFont underlined = labelParancs_->font();
  underlined.setUnderline(true);
  underlined.setBold(true);
  labelParancs_->setFont(underlined);
  ColourReadably(labelParancs_, Qt::red);
  labelParancs_->setWordWrap(true);
  layout->addWidget(labelParancs_);
  for (int n = 1; n <= 8; ++n) {
    auto* line = new QLabel(group);
    line->setObjectName(QString("LabelD%1").arg(n));
    line->setWordWrap(true);
    if (n == 8) ColourReadably(line, Qt::blue);
    layout->addWidget(line);
    lines_[std::size_t(n - 1)] = line;
  }
  layout->addStretch();

  Caption(this, "Ellenőrző szám:", 384, 296, 110);
  ellsz_ = Figure(this, "RxLabelEllsz", 500, 296);
  Caption(this, "Össz TVP:", 384, 314, 110);
  osszTvp_ = Figure(this, "RxLabelOsszTVP", 500, 314);
  Caption(this, "Össz KNO:", 384, 332, 110);
  osszKno_ = Figure(this, "RxLabelOsszKNO", 500, 332);
  // The budget sits by the figures it is compared with.
  budgetCaption_ = Caption(this, "Elérhető &TVP:", 384, 352, 110);
  budget_ = new QLineEdit(this);
  budget_->setObjectName("EditTVPKeret");
  budget_->setGeometry(500, 350, 60, 20);
  budget_->setMaxLength(6);
  budget_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), budget_));
  budgetCaption_->setBuddy(budget_);
  remaining_ = Caption(this, "", 384, 372, 216);
  remaining_->setObjectName("LabelMaradek");

  connect(&changes, &DocumentSignals::CellsChanged, grid_, &OrderGrid::RefreshFromModel);
  connect(&changes, &DocumentSignals::FiguresChanged, this, &OrderTab::ShowFigures);
  connect(&changes, &DocumentSignals::ViewChanged, this, [this] {
    ShowPanel();
    grid_->FollowViewCell();
  });
  ShowSheet();
}

void OrderTab::SetFlatGrid(bool flat) {
  if (flat) {
    grid_->setFrameShape(QFrame::NoFrame);
    grid_->setGeometry(8, 8, 364, 357);
  } else {
    grid_->setFrameShape(QFrame::StyledPanel);
    grid_->setGeometry(8, 8, 368, 361);
  }
}

void OrderTab::SetGridFont(const QFont& font) {
  grid_->setFont(font);
  grid_->horizontalHeader()->setFont(font);
  // A new font must not change the row height: all 21 rows stay visible.
  grid_->verticalHeader()->setMinimumSectionSize(17);
  grid_->verticalHeader()->setDefaultSectionSize(17);
}

void OrderTab::ShowPanel() {
  const DescriptionPanel& panel = editor_.view().panel();
  labelParancs_->setText(Q(panel.command));
  for (int n = 0; n < 8; ++n) lines_[std::size_t(n)]->setText(Q(panel.lines[std::size_t(n)]));
}

void OrderTab::ShowFigures() {
  const SheetFigures& figures = editor_.document().figures();
  ellsz_->setText(Q(figures.checkNumber));
  osszTvp_->setText(Q(figures.tvpTotal));
  osszKno_->setText(Q(figures.knoTotal));
}

void OrderTab::ShowSheet() {
  grid_->RefreshFromModel();
  grid_->FollowViewCell();
  ShowPanel();
  ShowFigures();
}

void OrderTab::SetGridLook(const GridLook& look, bool hover, bool completion) {
  grid_->gridModel().SetLook(look);
  grid_->SetCompletion(completion);
  grid_->setMouseTracking(hover);
  grid_->setStyleSheet(hover ? "QTableView::item:hover { border: 1px solid palette(highlight); }" : QString());
}

void OrderTab::FillPotionMenu(QMenu* menu, const std::vector<std::string>& potionLines) {
  auto captions = std::make_shared<QStringList>();
  const Lookups lookups = editor_.lookups();
  for (const std::string& line : potionLines)
    if (QString caption = Q(PotionCaption(line, lookups)); !caption.isEmpty()) captions->append(std::move(caption));
  for (QMenu* page : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) page->deleteLater();
  menu->clear();
  FillPotionPage(menu, captions, 0, captions->size());
}

void OrderTab::FillPotionPage(QMenu* menu, const std::shared_ptr<const QStringList>& captions, qsizetype begin,
                              qsizetype end) {
  constexpr qsizetype kPage = 40;
  QList<QAction*> items;
  if (end - begin <= kPage) {
    for (qsizetype i = begin; i < end; ++i) {
      auto* item = new QAction(captions->at(i), menu);
      connect(item, &QAction::triggered, this, [this, caption = captions->at(i)] { BrewPotion(caption); });
      items << item;
    }
    menu->addActions(items);  // in one go: one at a time grows with the square of the list
    return;
  }
  // A long list: sub-menus of at most kPage entries each, filled when they
  // first open, named by their first and last potion; every recipe is there.
  qsizetype chunk = kPage;
  while (end - begin > chunk * kPage) chunk *= kPage;
  for (qsizetype from = begin; from < end; from += chunk) {
    const qsizetype to = std::min(end, from + chunk);
    QString title = captions->at(from) + " … " + captions->at(to - 1);
    auto* page = new QMenu(title.replace('&', "&&"), menu);
    connect(page, &QMenu::aboutToShow, this, [this, page, captions, from, to] {
      if (page->isEmpty()) FillPotionPage(page, captions, from, to);
    });
    items << page->menuAction();
  }
  menu->addActions(items);
}

void OrderTab::SayIfNoRoom(bool done) {
  // Pushing row 20 off the sheet would lose the player's order without a word.
  if (!done)
    Tell(this, QMessageBox::Warning,
         "A 20. sorban parancs áll, ezért nem fér el új sor. Előbb töröld vagy helyezd át.");
}

void OrderTab::NewCommand() {
  if (!isVisible() || picker_->exec() != QDialog::Accepted) return;
  SayIfNoRoom(grid_->editing().InsertCommandRow(picker_->SelectedNumber()));
}

void OrderTab::BrewPotion(const QString& caption) {
  if (!isVisible()) return;
  if (grid_->editing().LastRowHoldsOrder()) return SayIfNoRoom(false);
  grid_->editing().BrewPotion(W(caption));
}

std::vector<int> OrderTab::SelectedRows() const {
  int first = OrderSheet::kRows + 1, last = 0;
  for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes()) {
    first = std::min(first, index.row() + 1);  // the model counts from 0, the sheet from 1
    last = std::max(last, index.row() + 1);
  }
  if (last == 0) first = last = editor_.view().row();
  std::vector<int> rows;
  for (int r = std::max(first, 1); r <= std::min(last, OrderSheet::kRows); ++r) rows.push_back(r);
  return rows;
}

void OrderTab::InsertRow() { SayIfNoRoom(grid_->editing().InsertRow()); }
void OrderTab::DeleteRow() { grid_->editing().DeleteRow(); }
void OrderTab::DuplicateRow() { SayIfNoRoom(grid_->editing().DuplicateRow()); }
void OrderTab::MoveRowUp() { grid_->editing().MoveRowUp(); }
void OrderTab::MoveRowDown() { grid_->editing().MoveRowDown(); }

void OrderTab::Undo() {
  grid_->CloseCellEditor();
  editor_.Undo();
}

void OrderTab::Redo() {
  grid_->CloseCellEditor();
  editor_.Redo();
}

void OrderTab::Recalculate() { editor_.Recalculate(); }

void OrderTab::SelectRow(int row) {
  emit ShowMe();
  editor_.SelectCell(row, col::kCode);
  grid_->FollowViewCell();  // the same row: the grid may still be elsewhere in it
}

void OrderTab::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  grid_->setFocus();
}

}  // namespace mv::ui
