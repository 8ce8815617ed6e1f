#include "ui/SearchWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "turn/TurnSearch.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {
constexpr int kSheetRole = Qt::UserRole + 1;
constexpr int kRowRole = Qt::UserRole + 2;
}  // namespace

SearchWindow::SearchWindow(const ReferenceLists& lists, std::function<TurnOverview()> overview, QWidget* parent)
    : QDialog(parent), lists_(lists), overview_(std::move(overview)) {
  setObjectName("TFormKereses");
  setWindowTitle("Keresés az UL-ekben");
  text_ = new QLineEdit(this);
  text_->setObjectName("EditKeresett");
  text_->setAccessibleName("Keresett parancs, érték vagy név");
  text_->setPlaceholderText("parancs, érték vagy név (tárgy, szörny, varázslat, karakter, szövetség)");
  fold_ = new QCheckBox("Ékezetek nélkül is (a = á)", this);
  fold_->setObjectName("CheckBoxEkezet");
  auto* find = new QPushButton("&Keresés", this);
  find->setObjectName("ButtonKereses");
  find->setDefault(true);
  results_ = new QTreeWidget(this);
  results_->setObjectName("TreeTalalatok");
  results_->setAccessibleName("Találatok");
  results_->setRootIsDecorated(false);
  results_->setHeaderLabels({"Karakter", "Forduló", "Sor", "Parancs", "Név"});
  results_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  said_ = new QLabel(this);
  said_->setObjectName("LabelTalalatok");
  auto* line = new QHBoxLayout;
  line->addWidget(text_, 1);
  line->addWidget(find);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(line);
  layout->addWidget(fold_);
  layout->addWidget(results_, 1);
  layout->addWidget(said_);
  resize(640, 420);
  connect(find, &QPushButton::clicked, this, &SearchWindow::Search);
  connect(text_, &QLineEdit::returnPressed, this, &SearchWindow::Search);
  connect(results_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    emit OpenAt(item->data(0, kSheetRole).toString(), item->data(0, kRowRole).toInt());
  });
}

void SearchWindow::Search() {
  results_->clear();
  const OrderSearch search(W(text_->text()), fold_->isChecked(), lists_);
  if (search.empty()) {
    said_->setText("Írd be, mit keresel: egy parancsot, egy értéket vagy egy nevet.");
    return;
  }
  const TurnOverview overview = overview_();
  const std::vector<SearchResult> found = SearchTurns(overview, lists_, search);
  for (const SearchResult& r : found) {
    const CharacterTurns* character = overview.Find(r.character);
    const QString who = character && !character->name.empty() ? Q(character->name) + " (#" + Q(r.character) + ")"
                                                              : "#" + Q(r.character);
    auto* item = new QTreeWidgetItem(
        results_, {who, QString::number(r.turn), Q(OrderSheet::RowLabel(r.hit.row)), Q(r.hit.code), Q(r.hit.name)});
    item->setData(0, kSheetRole, QPath(r.sheet));
    item->setData(0, kRowRole, r.hit.row);
  }
  said_->setText(found.empty() ? "Nincs találat." : QString("%1 találat.").arg(found.size()));
  if (!found.empty()) results_->setCurrentItem(results_->topLevelItem(0));
}

}  // namespace mv::ui
