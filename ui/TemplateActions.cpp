#include "ui/TemplateActions.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/UL.h"
#include "ui/MessageBoxes.h"
#include "ui/OrderGrid.h"
#include "ui/OrderTab.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

// The name a block is kept under, asked until it is one or the player stops.
std::optional<std::string> AskName(QWidget* parent, const QString& title, const QString& start) {
  QInputDialog ask(parent);
  ask.setObjectName("InputSablonNev");
  ask.setWindowTitle(title);
  ask.setLabelText("A sablon neve:");
  ask.setTextValue(start);
  ask.setOkButtonText("OK");
  ask.setCancelButtonText("Mégse");
  while (ask.exec() == QDialog::Accepted) {
    const std::string name = W(ask.textValue());
    const std::string problem = TemplateNameProblem(name);
    if (problem.empty()) return name;
    Tell(parent, QMessageBox::Warning, Q(problem));
  }
  return std::nullopt;
}

}  // namespace

TemplateList::TemplateList(std::filesystem::path programDirectory, const Lookups& lookups, QWidget* parent)
    : QDialog(parent), programDirectory_(std::move(programDirectory)), lookups_(lookups) {
  setObjectName("TFormSablonok");
  setWindowTitle("Sablon beszúrása");
  list_ = new QTreeWidget(this);
  list_->setObjectName("TreeSablonok");
  list_->setAccessibleName("Sablonok");
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({"Sablon", "Sorok", "TVP"});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* insert = buttons->addButton("&Beszúrás", QDialogButtonBox::AcceptRole);
  insert->setObjectName("ButtonBeszuras");
  QPushButton* rename = buttons->addButton("Át&nevezés", QDialogButtonBox::ActionRole);
  rename->setObjectName("ButtonAtnevezes");
  QPushButton* remove = buttons->addButton("&Törlés", QDialogButtonBox::ActionRole);
  remove->setObjectName("ButtonTorles");
  buttons->addButton("Mégse", QDialogButtonBox::RejectRole)->setObjectName("ButtonMegse");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  resize(620, 360);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (Chosen()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(rename, &QPushButton::clicked, this, &TemplateList::Rename);
  connect(remove, &QPushButton::clicked, this, &TemplateList::Delete);
  connect(list_, &QTreeWidget::itemActivated, this, [this] { accept(); });
  Reload();
}

void TemplateList::Reload() {
  templates_ = ListTemplates(programDirectory_);
  list_->clear();
  for (const OrderTemplate& t : templates_) {
    OrderSheet block;
    for (std::size_t i = 0; i < t.rows.size(); ++i) block.SetRow(int(i) + 1, t.rows[i]);
    const RecalculatedSheet done = Recalculated(block, lookups_);
    QStringList names;
    for (std::size_t i = 0; i < t.rows.size(); ++i) names << Q(done.interpretation.Row(int(i) + 1).panel.command);
    new QTreeWidgetItem(list_, {Q(t.name), names.join("; "), Q(done.figures.tvpTotal)});
  }
  if (!templates_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
}

const OrderTemplate* TemplateList::Chosen() const {
  const int at = list_->indexOfTopLevelItem(list_->currentItem());
  return at >= 0 && at < int(templates_.size()) ? &templates_[std::size_t(at)] : nullptr;
}

void TemplateList::Rename() {
  const OrderTemplate* chosen = Chosen();
  if (!chosen) return;
  const std::string from = chosen->name;
  const auto to = AskName(this, "Sablon átnevezése", Q(from));
  if (!to) return;
  if (const TemplateOutcome done = RenameTemplate(programDirectory_, from, *to); !done.ok())
    Tell(this, QMessageBox::Warning, Q(done.error));
  Reload();
}

void TemplateList::Delete() {
  const OrderTemplate* chosen = Chosen();
  if (!chosen) return;
  const std::string name = chosen->name;
  if (AskQuestion(this, "Törlöd a(z) „" + Q(name) + "” sablont?", QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::No) != QMessageBox::Yes)
    return;
  if (const TemplateOutcome done = DeleteTemplate(programDirectory_, name); !done.ok())
    Tell(this, QMessageBox::Warning, Q(done.error));
  Reload();
}

TemplateActions::TemplateActions(SheetEditor& editor, OrderTab* tab, std::filesystem::path programDirectory,
                                 QWidget* window)
    : QObject(window), editor_(editor), tab_(tab), programDirectory_(std::move(programDirectory)), window_(window) {}

void TemplateActions::SaveSelection() {
  tab_->grid()->CloseCellEditor();
  std::vector<OrderRow> block;
  for (const int row : tab_->SelectedRows())
    if (!editor_.document().sheet().RowIsBlank(row)) block.push_back(editor_.document().sheet().Row(row));
  if (block.empty()) {
    Tell(window_, QMessageBox::Information, "Jelölj ki legalább egy parancsot tartalmazó sort a sablonhoz.");
    return;
  }
  const auto name = AskName(window_, "Sablonként mentés", {});
  if (!name) return;
  bool replace = false;
  if (TemplateExists(programDirectory_, *name)) {
    if (AskQuestion(window_, "Már van „" + Q(*name) + "” nevű sablon. Lecseréled?", QMessageBox::Yes | QMessageBox::No,
                    QMessageBox::No) != QMessageBox::Yes)
      return;
    replace = true;
  }
  if (const TemplateOutcome saved = SaveTemplate(programDirectory_, *name, block, replace); !saved.ok())
    Tell(window_, QMessageBox::Warning, Q(saved.error));
}

void TemplateActions::InsertTemplate() {
  tab_->grid()->CloseCellEditor();
  TemplateList list(programDirectory_, editor_.lookups(), window_);
  if (list.list()->topLevelItemCount() == 0) {
    Tell(window_, QMessageBox::Information,
         "Még nincs sablonod. Jelölj ki sorokat, és válaszd a „Sablonként mentés…” parancsot.");
    return;
  }
  if (list.exec() != QDialog::Accepted || !list.Chosen()) return;
  const OrderTemplate chosen = *list.Chosen();
  GridEditing& editing = tab_->grid()->editing();
  const int room = editing.RoomForBlock();
  if (!editing.InsertBlock(chosen.rows))
    Tell(window_, QMessageBox::Warning,
         QString("A(z) „%1” sablon %2 sorból áll, de innen lefelé csak %3 sor szabad, így parancs kerülne a 20. sor "
                 "alá. Előbb törölj sorokat, vagy állj feljebb.")
             .arg(Q(chosen.name))
             .arg(chosen.rows.size())
             .arg(room));
}

}  // namespace mv::ui
