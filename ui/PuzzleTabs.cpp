#include "ui/PuzzleTabs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLocale>
#include <QVBoxLayout>

#include "puzzles/ItemFormatter.h"
#include "puzzles/Riddles.h"
#include "puzzles/lvrejtveny.h"
#include "ui/Text.h"

namespace mv::ui {

QLineEdit* CalculatorPage::AddInput(QGridLayout* grid, int row, int column, const QString& caption, const QString& name,
                                    const QString& text, bool recomputes) {
  QLineEdit* edit = AddEdit(grid, row, column, caption, name, text);
  if (recomputes) pendingInputs_.push_back(edit);
  return edit;
}

QLineEdit* CalculatorPage::AddEdit(QGridLayout* grid, int row, int column, const QString& caption, const QString& name,
                                   const QString& text) {
  if (!caption.isEmpty()) grid->addWidget(new QLabel(caption), row, column);
  auto* edit = new QLineEdit(text);
  edit->setObjectName(name);
  edit->setMaximumWidth(90);
  // Named for a screen reader by its group and its caption: the same caption
  // stands in several groups.
  const auto* group = qobject_cast<QGroupBox*>(grid->parentWidget());
  const QString said = QString(caption).replace('\n', ' ').remove(':').trimmed();
  if (group && !said.isEmpty()) edit->setAccessibleName(group->title() + ": " + said);
  grid->addWidget(edit, row, column + 1);
  fields_[name] = edit;
  return edit;
}

QLineEdit* CalculatorPage::AddResult(QGridLayout* grid, int row, int column, const QString& caption,
                                     const QString& name) {
  QLineEdit* edit = AddEdit(grid, row, column, caption, name, {});
  edit->setReadOnly(true);
  edit->setMaximumWidth(160);
  return edit;
}

std::string CalculatorPage::Text(const QString& name) const { return W(Field(name)->text()); }

void CalculatorPage::Put(const QString& name, const std::optional<std::string>& text) {
  if (text) Field(name)->setText(Q(*text));
}

char CalculatorPage::Decimal() const {
  const QString point = QLocale::system().decimalPoint();
  return point.isEmpty() || point[0].unicode() > 127 ? ',' : char(point[0].unicode());
}

namespace {

// A field of an equation: its caption stands before the next field, so the
// name says which term it is.
void NameTerms(QLineEdit* edit, const QString& group, int equation, const QString& term) {
  edit->setAccessibleName(QString("%1: %2. egyenlet, %3").arg(group).arg(equation).arg(term));
}

QGroupBox* Group(const QString& title, QGridLayout*& grid) {
  auto* box = new QGroupBox(title);
  grid = new QGridLayout(box);
  grid->setVerticalSpacing(2);
  return box;
}

}  // namespace

RiddlesTab::RiddlesTab(QWidget* parent) : CalculatorPage(parent) {
  setObjectName("Rejtvenyek");
  auto* page = new QGridLayout(this);
  QGridLayout* g = nullptr;

  page->addWidget(Group("Parasztbácsi gyalogol", g), 0, 0);
  AddInput(g, 0, 0, "Az első város távolsága:", "EditRejtveny1a");
  AddInput(g, 1, 0, "A második város távolsága:", "EditRejtveny1b");
  AddInput(g, 2, 0, "Az elfordulás szöge:", "EditRejtveny1c");
  AddResult(g, 3, 0, "Az eredmény:", "EditRejtveny1d");
  RecomputeOnInputs(&RiddlesTab::Walking);

  page->addWidget(Group("Miglandok", g), 0, 1);
  for (int r = 1; r <= 4; ++r) {
    NameTerms(AddInput(g, r, 0, "", QString("EditRejtveny2a%1").arg(r)), "Miglandok", r, "x együtthatója");
    NameTerms(AddInput(g, r, 2, "x +", QString("EditRejtveny2b%1").arg(r)), "Miglandok", r, "y együtthatója");
    if (r < 4) NameTerms(AddInput(g, r, 4, "y =", QString("EditRejtveny2c%1").arg(r)), "Miglandok", r, "eredménye");
  }
  NameTerms(AddResult(g, 4, 4, "y =", "EditRejtveny2c4"), "Miglandok", 4, "eredménye");
  RecomputeOnInputs(&RiddlesTab::Miglands);

  page->addWidget(Group("Falánk szörnyek", g), 1, 0);
  AddInput(g, 0, 0, "Szörnyek 1:", "EditRejtveny3a");
  AddInput(g, 1, 0, "Idő 1:", "EditRejtveny3b");
  AddInput(g, 0, 2, "Szörnyek 2:", "EditRejtveny3d");
  AddInput(g, 1, 2, "Idő 2:", "EditRejtveny3e");
  AddInput(g, 2, 0, "Kaja:", "EditRejtveny3c");
  AddResult(g, 3, 0, "Elfogyasztott \nkaja:", "EditRejtveny3f");
  RecomputeOnInputs(&RiddlesTab::Monsters);

  page->addWidget(Group("Szaporulat", g), 1, 1);
  AddInput(g, 0, 0, "Csemeték adagja", "EditRejtveny4a");
  AddInput(g, 1, 0, "Szülők adagja:", "EditRejtveny4b");
  AddInput(g, 2, 0, "Összes kaja:", "EditRejtveny4c");
  AddResult(g, 3, 0, "Szülők száma:", "EditRejtveny4d");
  RecomputeOnInputs(&RiddlesTab::Offspring);

  page->addWidget(Group("Egy egyszerű egyenletrendszer", g), 2, 0, 1, 2);
  for (int r = 1; r <= 2; ++r) {
    NameTerms(AddInput(g, r, 0, "", QString("EditRejtveny5a%1").arg(r)), "Egyenletrendszer", r, "x együtthatója");
    NameTerms(AddInput(g, r, 2, "x +", QString("EditRejtveny5b%1").arg(r)), "Egyenletrendszer", r, "y együtthatója");
    NameTerms(AddInput(g, r, 4, "y =", QString("EditRejtveny5c%1").arg(r)), "Egyenletrendszer", r, "jobb oldala");
  }
  AddResult(g, 1, 6, "x =", "EditRejtveny5d");
  AddResult(g, 2, 6, "y =", "EditRejtveny5e");
  RecomputeOnInputs(&RiddlesTab::Equations);
}

void RiddlesTab::Walking() {
  Put("EditRejtveny1d",
      WalkingDistance(Text("EditRejtveny1a"), Text("EditRejtveny1b"), Text("EditRejtveny1c"), Decimal()));
}

void RiddlesTab::Miglands() {
  std::string t[3][3];
  std::string_view v[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) v[r][c] = t[r][c] = Text(QString("EditRejtveny2%1%2").arg(QChar('a' + c)).arg(r + 1));
  const std::string a4 = Text("EditRejtveny2a4"), b4 = Text("EditRejtveny2b4");
  Put("EditRejtveny2c4", mv::Miglands(v, a4, b4, Decimal()));
}

void RiddlesTab::Monsters() {
  Put("EditRejtveny3f", HungryMonsters(Text("EditRejtveny3a"), Text("EditRejtveny3b"), Text("EditRejtveny3c"),
                                       Text("EditRejtveny3d"), Text("EditRejtveny3e"), Decimal()));
}

void RiddlesTab::Offspring() {
  Put("EditRejtveny4d",
      mv::Offspring(Text("EditRejtveny4a"), Text("EditRejtveny4b"), Text("EditRejtveny4c"), Decimal()));
}

void RiddlesTab::Equations() {
  std::string t[2][3];
  std::string_view v[2][3];
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) v[r][c] = t[r][c] = Text(QString("EditRejtveny5%1%2").arg(QChar('a' + c)).arg(r + 1));
  const auto [x, y] = LinearSystem(v, Decimal());
  Put("EditRejtveny5e", y);
  Put("EditRejtveny5d", x);
}

ValleyTab::ValleyTab(QWidget* parent) : CalculatorPage(parent) {
  setObjectName("TabSheet1");
  picker_ = new QComboBox(this);
  picker_->setObjectName("ComboBox2");
  picker_->setAccessibleName("Rejtvény");
  picker_->addItems({"Sajt", "Kagyló", "Víztározó", "Fűszeres"});
  picker_->setCurrentIndex(-1);
  picker_->setGeometry(8, 8, 160, 22);
  QGridLayout* g = nullptr;

  groups_[0] = Group("Sajt", g);
  AddInput(g, 0, 0, "Sajt súlya", "rebusz2a");
  AddInput(g, 1, 0, "Te darabod kerülete", "rebusz2b");
  AddInput(g, 2, 0, "A remete darabjának\nkerülete", "rebusz2c");
  AddResult(g, 3, 0, "Megoldás", "rebusz2d");
  AddResult(g, 4, 0, "azaz kerekítve", "rebusz2e");
  RecomputeOnInputs(&ValleyTab::Cheese);

  groups_[1] = Group("Kagyló", g);
  AddInput(g, 0, 0, "db", "rebusz1a");
  AddResult(g, 1, 0, "Megoldás", "rebusz1b");
  AddResult(g, 2, 0, "azaz kerekítve", "rebusz1c");
  RecomputeOnInputs(&ValleyTab::Shells);

  groups_[2] = Group("Víztározó", g);
  AddInput(g, 0, 0, "'A' oldal:", "rebusz3a");
  AddInput(g, 1, 0, "'B' oldal:", "rebusz3b");
  AddInput(g, 2, 0, "'C' oldal", "rebusz3c");
  AddInput(g, 3, 0, "Magasság", "rebusz3d", "3");
  AddInput(g, 4, 0, "Telítettség (%)", "rebusz3e", "50");
  AddInput(g, 5, 0, "Fogyasztas", "rebusz3f", "5", false);  // read, but its change alone does not recompute
  AddResult(g, 6, 0, "Megoldás", "rebusz3g");
  AddResult(g, 7, 0, "azaz kerekítve", "rebusz3h");
  RecomputeOnInputs(&ValleyTab::Reservoir);

  groups_[3] = Group("Fűszeres", g);
  g->addWidget(new QLabel("'A' eset"), 0, 0);
  AddInput(g, 1, 0, "1. tárgy", "rebusz4a");
  AddInput(g, 2, 0, "2. tárgy", "rebusz4b");
  AddInput(g, 3, 0, "Ár", "rebusz4c");
  g->addWidget(new QLabel("'B' eset"), 0, 2);
  AddInput(g, 1, 2, "1. tárgy", "rebusz4d");
  AddInput(g, 2, 2, "2. tárgy", "rebusz4e");
  AddInput(g, 3, 2, "Ár", "rebusz4f");
  AddResult(g, 4, 0, "Megoldás (1. tárgy ára)", "rebusz4g");
  AddResult(g, 5, 0, "azaz kerekítve", "rebusz4h");
  AddResult(g, 6, 0, "Megoldás (2. tárgy ára)", "rebusz4i");
  AddResult(g, 7, 0, "azaz kerekítve", "rebusz4j");
  RecomputeOnInputs(&ValleyTab::Spices);

  for (QGroupBox* box : groups_) {
    box->setParent(this);
    box->move(8, 40);
    box->adjustSize();
    box->hide();
  }
  connect(picker_, &QComboBox::currentIndexChanged, this, [this](int index) {
    for (QGroupBox* box : groups_) box->hide();
    if (index >= 0 && index < 4) groups_[std::size_t(index)]->show();
  });
}

void ValleyTab::Cheese() {
  if (const auto r = mv::Cheese(Text("rebusz2a"), Text("rebusz2b"), Text("rebusz2c"), Decimal())) {
    Put("rebusz2d", r->exact);
    Put("rebusz2e", r->rounded);
  }
}

void ValleyTab::Shells() {
  if (const auto r = mv::Shells(Text("rebusz1a"), Decimal())) {
    Put("rebusz1b", r->exact);
    Put("rebusz1c", r->rounded);
  }
}

void ValleyTab::Reservoir() {
  if (const auto r = mv::Reservoir(Text("rebusz3a"), Text("rebusz3b"), Text("rebusz3c"), Text("rebusz3d"),
                                   Text("rebusz3e"), Text("rebusz3f"), Decimal())) {
    Put("rebusz3g", r->exact);
    Put("rebusz3h", r->rounded);
  }
}

void ValleyTab::Spices() {
  const SpiceAnswer r = mv::Spices(Text("rebusz4a"), Text("rebusz4b"), Text("rebusz4c"), Text("rebusz4d"),
                                   Text("rebusz4e"), Text("rebusz4f"), Decimal());
  Put("rebusz4g", r.first.exact);
  Put("rebusz4h", r.first.rounded);
  Put("rebusz4i", r.second.exact);
  Put("rebusz4j", r.second.rounded);
}

FormatterTab::FormatterTab(const ReferenceLists& lists, QWidget* parent)
    : QWidget(parent), lists_(lists), lookups_(lists) {
  setObjectName("Formazok");
  auto* layout = new QVBoxLayout(this);
  families_ = new QComboBox;
  families_->setObjectName("ComboBox3");
  families_->setAccessibleName("Tárgycsalád");
  kinds_ = new QComboBox;
  kinds_->setObjectName("ComboBox4");
  kinds_->setAccessibleName("Tárgyfajta");
  item_ = new QLabel("ide jön a tárgy");
  item_->setObjectName("Label75");
  level_ = new QLabel("tárgy szintje");
  level_->setObjectName("Label74");
  for (QWidget* w : {static_cast<QWidget*>(families_), static_cast<QWidget*>(kinds_), static_cast<QWidget*>(item_),
                     static_cast<QWidget*>(level_)})
    layout->addWidget(w);
  layout->addStretch();
  connect(families_, &QComboBox::currentIndexChanged, this, &FormatterTab::Format);
  connect(kinds_, &QComboBox::currentIndexChanged, this, &FormatterTab::Format);
}

void FormatterTab::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refill();
}

void FormatterTab::Refill() {
  // Refilled at every showing, so that list changes show up.
  const QSignalBlocker blockFamilies(families_), blockKinds(kinds_);
  families_->clear();
  kinds_->clear();
  for (const std::string& f : FormatterFamilies()) families_->addItem(Q(f));
  for (const std::string& k : FormatterKinds(lists_.randomItems)) kinds_->addItem(Q(k));
  families_->setCurrentIndex(0);
  kinds_->setCurrentIndex(kinds_->count() > 0 ? 0 : -1);
  item_->setText("Az erő lemezpáncélja (#1450)");
  level_->setText("1. szintű tárgy");
}

void FormatterTab::Format() {
  const FormattedItem f =
      FormatItem(W(families_->currentText()), W(kinds_->currentText()), lists_.randomItems, lookups_);
  item_->setText(Q(f.label));
  level_->setText(Q(f.level));
}

}  // namespace mv::ui
