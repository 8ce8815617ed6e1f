#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/IntegerText.h"
#include "store/SheetDocument.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

constexpr int kClientWidth = 608;
constexpr int kClientHeight = 421;

QWidget* Placeholder(const QString& text) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* label = new QLabel(text, page);
  label->setAlignment(Qt::AlignCenter);
  layout->addWidget(label);
  return page;
}

// "MS Sans Serif" 8 point where it exists; else the narrowest look-alike.
QFont WindowFont() {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans Condensed"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

QFont DefaultGridFont() {
  QFont font = WindowFont();
  font.setBold(true);
  return font;
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programDirectory, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), programDirectory_(std::move(programDirectory)), editor_(model_) {
  setObjectName("TFormMain");
  setWindowTitle(kWindowCaption);
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  model_.rowState.Clear();
  setFont(WindowFont());

  BuildTabs();
  BuildMenus();
  picker_ = new CommandPicker(this);

  gridFont_ = DefaultGridFont();
  orderTab_->SetGridFont(gridFont_);

  connect(orderTab_->grid(), &OrderGrid::PopupRequested, this, [this](const QPoint& at) { popup_->popup(at); });
  connect(dataTab_, &DataTab::CharacterNameChanged, this, [this](const QString& name) {
    orderTab_->SetCharacterName(name);
    UpdateCharacterControls();
  });

  BuildPotionMenus();
  ShowModel();

  tabs_->setCurrentWidget(dataTab_);
  if (!arguments.isEmpty()) {
    const QFileInfo file(arguments.first());
    if (file.isFile() && file.suffix().toUpper() == "ULF") {
      OpenSheetFile(file.absoluteFilePath());
      tabs_->setCurrentWidget(orderTab_);
    }
  }
  UpdateCharacterControls();

  // Fixed client area: the tabs fill it, the menu bar comes on top.
  centralWidget()->setFixedSize(kClientWidth, kClientHeight);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::BuildTabs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("PageControl1");
  dataTab_ = new DataTab(model_);
  dataTab_->setObjectName("Adatok");
  orderTab_ = new OrderTab(editor_);
  orderTab_->setObjectName("UtasitasLap");
  auto* notes = new QWidget;
  notes->setObjectName("Jegyzetek");
  auto* notesLayout = new QVBoxLayout(notes);
  auto* memo = new QPlainTextEdit(notes);
  memo->setObjectName("MemoJegyzet");
  notesLayout->addWidget(memo);

  tabs_->addTab(dataTab_, "Adatok");
  tabs_->addTab(orderTab_, "Utasítás Lap");
  tabs_->addTab(notes, "Jegyzetek");
  tabs_->addTab(Placeholder("A listák szerkesztése hamarosan."), "Listák");
  tabs_->addTab(Placeholder("A rejtvényfejtők hamarosan."), "Rejtvények");
  tabs_->addTab(Placeholder("Az LV rejtvények hamarosan."), "LV rejtvények");
  tabs_->addTab(Placeholder("A tárgynév-formázó hamarosan."), "Formázók");
  tabs_->widget(3)->setObjectName("Listak");
  tabs_->widget(4)->setObjectName("Rejtvenyek");
  tabs_->widget(5)->setObjectName("TabSheet1");
  tabs_->widget(6)->setObjectName("Formazok");
  setCentralWidget(tabs_);
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  return action;
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = bar->addMenu("&Fájl");
  file->setObjectName("UL1");
  connect(AddItem(file, "NewUL", "Ú&j"), &QAction::triggered, this, &MainWindow::NewSheet);
  connect(AddItem(file, "OpenUL", "Megnyit", Qt::Key_F3), &QAction::triggered, this, &MainWindow::OpenSheetDialog);
  saveAction_ = AddItem(file, "SaveUL", "Ment", Qt::Key_F2);
  connect(saveAction_, &QAction::triggered, this, &MainWindow::Save);
  saveAsAction_ = AddItem(file, "SaveAsUL", "Ment másként");
  connect(saveAsAction_, &QAction::triggered, this, &MainWindow::SaveAs);
  file->addSeparator();
  QMenu* import = file->addMenu("Importálás");
  import->setObjectName("Import");
  AddItem(import, "ZendikUL", "Zendik-féle UL készítő (*.oul)")->setEnabled(false);
  file->addSeparator();
  postAction_ = AddItem(file, "PostUL", "UL küldése", Qt::Key_F4);
  mailAction_ = AddItem(file, "Mail1", "UL-levél mentése");
  copyAction_ = AddItem(file, "ULCopyClipBoard", "UL-levél másolása a vágólapra");
  file->addSeparator();
  connect(AddItem(file, "Kilps1", "&Kilépés"), &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu("&Szerkesztés");
  edit->setObjectName("Edit");
  QAction* newCommand = AddItem(edit, "NewParancs1", "Új parancs", QKeySequence("Ctrl+P"));
  connect(newCommand, &QAction::triggered, this, &MainWindow::NewCommand);
  potionMenu_ = edit->addMenu("Varázsital főzése");
  potionMenu_->setObjectName("varazs");
  edit->addSeparator();
  QAction* insert = AddItem(edit, "RowInsert", "Új sor beszúrása", QKeySequence("Ctrl+Ins"));
  connect(insert, &QAction::triggered, this, &MainWindow::InsertRow);
  QAction* remove = AddItem(edit, "RowDelete", "Sor törlése", QKeySequence("Ctrl+Del"));
  connect(remove, &QAction::triggered, this, &MainWindow::DeleteRow);
  QAction* duplicate = AddItem(edit, "RowDuplicate", "Sor duplázása", QKeySequence("Ctrl+D"));
  connect(duplicate, &QAction::triggered, this, &MainWindow::DuplicateRow);
  edit->addSeparator();
  QAction* up = AddItem(edit, "RowUp", "Egy sorral fel", QKeySequence("Ctrl+Up"));
  connect(up, &QAction::triggered, this, &MainWindow::MoveRowUp);
  QAction* down = AddItem(edit, "RowDown", "Egy sorral le", QKeySequence("Ctrl+Down"));
  connect(down, &QAction::triggered, this, &MainWindow::MoveRowDown);

  QMenu* settings = bar->addMenu("&Beállítások");
  settings->setObjectName("Belltsok1");
  AddItem(settings, "Options", "Beállítások", QKeySequence("Ctrl+B"))->setEnabled(false);
  settings->addSeparator();
  connect(AddItem(settings, "FontChange", "Utasítás Lap Betűtípus"), &QAction::triggered, this,
          &MainWindow::ChangeGridFont);

  QMenu* help = bar->addMenu("&Súgó");
  help->setObjectName("Sg1");
  AddItem(help, "Contents", "Tartalom")->setEnabled(false);
  help->addSeparator();
  AddItem(help, "News", "Újdonságok")->setEnabled(false);
  AddItem(help, "Readme", "Használati útmutató")->setEnabled(false);
  help->addSeparator();
  QMenu* homepages = help->addMenu("Honlapok");
  homepages->setObjectName("Honlapok1");
  AddItem(homepages, "HPVorlan", "Ombrel népe")->setEnabled(false);
  AddItem(homepages, "HPTavirell", "Tavirell Kft honlapja")->setEnabled(false);
  AddItem(homepages, "HPMVPortal", "VO Dovido")->setEnabled(false);
  help->addSeparator();
  AddItem(help, "About", "Névjegy")->setEnabled(false);

  // The grid's pop-up menu shares the actions of "Szerkesztés" where the
  // captions agree; moving rows has captions of its own.
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  popup_->addAction(newCommand);
  popupPotionMenu_ = popup_->addMenu("Varázsital főzése");
  popupPotionMenu_->setObjectName("Varazs2");
  popup_->addSeparator();
  popup_->addAction(insert);
  popup_->addAction(remove);
  popup_->addAction(duplicate);
  popup_->addSeparator();
  connect(AddItem(popup_, "Egysorralfel1", "Egy sorral fel (Ctrl+Fel)"), &QAction::triggered, this,
          &MainWindow::MoveRowUp);
  connect(AddItem(popup_, "Egysorralle1", "Egy sorral le (Ctrl+Le)"), &QAction::triggered, this,
          &MainWindow::MoveRowDown);
}

void MainWindow::BuildPotionMenus() {
  for (QMenu* menu : {potionMenu_, popupPotionMenu_}) menu->clear();
  const Lookups& lookups = editor_.interpreter().lookups();
  for (const std::string& line : model_.lists.potions) {
    const QString caption = Q(PotionCaption(line, lookups));
    if (caption.isEmpty()) continue;
    for (QMenu* menu : {potionMenu_, popupPotionMenu_}) {
      // Added as data, not as a caption with "&": the caption must stay as built.
      QAction* item = menu->addAction(caption);
      connect(item, &QAction::triggered, this, [this, caption] { BrewPotion(caption); });
    }
  }
}

void MainWindow::ShowModel() {
  dataTab_->ShowFields();
  orderTab_->ShowSheet();
}

void MainWindow::UpdateCharacterControls() {
  const bool numbered = IntOrZero(model_.character.number) >= 2000;
  saveAction_->setEnabled(numbered);
  saveAsAction_->setEnabled(numbered);
  // The letter's actions come with the mail transport.
  for (QAction* a : {postAction_, mailAction_, copyAction_}) a->setEnabled(false);
}

void MainWindow::ShowFailure(const std::string& message) {
  QMessageBox::critical(this, kApplicationTitle, Q(message));
}

void MainWindow::ReportNoRoomForRow() {
  // Pushing row 20 off the sheet would lose the player's order without a word.
  QMessageBox::information(this, kApplicationTitle,
                           "A 20. sorban parancs áll, ezért nem fér el új sor. Előbb töröld vagy helyezd át.");
}

void MainWindow::NewSheet() {
  editor_.NewSheet();
  ShowModel();
}

void MainWindow::OpenSheetDialog() {
  const QString path = QFileDialog::getOpenFileName(this, "UL megnyitása", QString::fromStdString(programDirectory_.string()),
                                                    "UL Form (*.ulf)");
  if (!path.isEmpty()) OpenSheetFile(path);
}

void MainWindow::OpenSheetFile(const QString& path) {
  const FileOutcome outcome = OpenSheet(editor_, path.toStdString(), [](const std::string&) {});
  ShowModel();
  if (outcome.failed()) ShowFailure(outcome.message);
}

bool MainWindow::Save() {
  if (model_.sheetFileName.empty()) return SaveAs();
  if (model_.currentCharacterKey.empty()) {
    QMessageBox::warning(this, kApplicationTitle, "Nem lehet elmenteni az UL-t amíg nincs száma a karakternek");
    return false;
  }
  const FileOutcome outcome = SaveSheet(model_, model_.sheetFileName);
  if (outcome.failed()) ShowFailure(outcome.message);
  return !outcome.failed();
}

bool MainWindow::SaveAs() {
  const QString proposed = Q(DefaultSheetName(model_));
  if (model_.currentCharacterKey.empty()) {
    QMessageBox::warning(this, kApplicationTitle, "Nem lehet elmenteni az UL-t amíg nincs száma a karakternek");
    return false;
  }
  QFileDialog dialog(this, "UL mentése", QString::fromStdString(programDirectory_.string()), "UL Form (*.ulf)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("ulf");
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const FileOutcome outcome = SaveSheet(model_, dialog.selectedFiles().first().toStdString());
  if (outcome.failed()) ShowFailure(outcome.message);
  return !outcome.failed();
}

void MainWindow::NewCommand() {
  if (!IsOrderTabActive()) return;
  if (picker_->exec() != QDialog::Accepted) return;
  if (!orderTab_->grid()->editing().InsertCommandRow(picker_->SelectedNumber())) {
    ReportNoRoomForRow();
    return;
  }
  AfterRowOperation();
}

void MainWindow::BrewPotion(const QString& caption) {
  if (!IsOrderTabActive()) return;
  if (orderTab_->grid()->editing().LastRowHoldsOrder()) {
    ReportNoRoomForRow();
    return;
  }
  if (orderTab_->grid()->editing().BrewPotion(W(caption))) AfterRowOperation();
}

void MainWindow::AfterRowOperation() {
  orderTab_->grid()->FollowModelCell();
  orderTab_->ShowSheet();
}

void MainWindow::InsertRow() {
  if (!orderTab_->grid()->editing().InsertRow()) {
    ReportNoRoomForRow();
    return;
  }
  AfterRowOperation();
}

void MainWindow::DeleteRow() {
  orderTab_->grid()->editing().DeleteRow();
  AfterRowOperation();
}

void MainWindow::DuplicateRow() {
  if (!orderTab_->grid()->editing().DuplicateRow()) {
    ReportNoRoomForRow();
    return;
  }
  AfterRowOperation();
}

void MainWindow::MoveRowUp() {
  orderTab_->grid()->editing().MoveRowUp();
  AfterRowOperation();
}

void MainWindow::MoveRowDown() {
  orderTab_->grid()->editing().MoveRowDown();
  AfterRowOperation();
}

void MainWindow::ChangeGridFont() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, gridFont_, this);
  if (!ok) return;
  gridFont_ = font;
  orderTab_->SetGridFont(gridFont_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (model_.sheetModified) {
    const auto answer = QMessageBox::question(this, kApplicationTitle, "Elmented a változásokat?",
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
      event->ignore();
      return;
    }
    if (answer == QMessageBox::Yes) Save();  // the window closes even when the save did not happen
  }
  event->accept();
}

}  // namespace mv::ui
