#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QVBoxLayout>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <ctime>

#include "core/CharacterRules.h"
#include "core/IntegerText.h"
#include "core/SheetCheck.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/DataListFile.h"
#include "store/HelpBundle.h"
#include "store/OulImport.h"
#include "store/SentArchive.h"
#include "store/SheetDocument.h"
#include "store/SheetRecovery.h"
#include "store/TextFile.h"
#include "ui/AboutBox.h"
#include "ui/PuzzleTabs.h"
#include "ui/SendProgress.h"
#include "ui/StateProbe.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

constexpr int kClientWidth = 608;
constexpr int kClientHeight = 421;
constexpr int kKeepInterval = 1000;  // ms between looks at unsaved work

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

// Swallows tool tips while "Gyorstipp megjelenítése" is off.
class TooltipSwitch : public QObject {
 public:
  explicit TooltipSwitch(QObject* parent) : QObject(parent) {}
  bool on = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip && !on) return true;
    return QObject::eventFilter(watched, event);
  }
};

// Per-user window state, under the program's registry key and sections.
QSettings WindowStateStore() { return QSettings("VA DU", "duzovudevi"); }

}  // namespace

MainWindow::MainWindow(std::filesystem::path programDirectory, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      programDirectory_(std::move(programDirectory)),
      ini_(programDirectory_ / "mv.ini"),
      association_(std::make_unique<FreedesktopAssociation>(
          FreedesktopAssociation::ForCurrentUser(QApplication::applicationFilePath().toStdString()))),
      editor_(model_) {
  setObjectName("TFormMain");
  setWindowTitle(kWindowCaption);
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  // Leftovers of a save that was killed midway; copies still writing keep theirs.
  RemoveStaleTemporaryFiles(programDirectory_);
  recovery_ = std::make_unique<SheetRecovery>(programDirectory_);
  model_.rowState.Clear();
  setFont(WindowFont());
  LoadReferenceLists(programDirectory_, model_.lists);
  tooltipSwitch_ = new TooltipSwitch(this);
  qApp->installEventFilter(tooltipSwitch_);

  BuildTabs();
  BuildMenus();
  picker_ = new CommandPicker(this);
  options_ = new OptionsDialog(this);
  openDialog_ = new SheetOpenDialog(this);
  preview_ = new PreviewDialog(this);
  problems_ = new ProblemList(this);
  connect(problems_, &ProblemList::RowChosen, this, [this](int row) {
    tabs_->setCurrentWidget(orderTab_);
    editor_.SelectCell(row, col::kCode);
    AfterRowOperation();
  });
  const HelpAvailability helpCheck = CheckHelp({programDirectory_ / "help", ShippedFile("help")});
  help_ = new HelpWindows(helpCheck.folder, this);
  findChild<QAction*>("Contents")->setEnabled(help_->on());
  if (helpCheck.message) {
    const QString message = Q(*helpCheck.message);
    QTimer::singleShot(0, this, [this, message] { QMessageBox::critical(this, kApplicationTitle, message); });
  }
  connect(orderTab_->grid(), &OrderGrid::ContextHelpRequested, help_, &HelpWindows::ShowContextHelp);
  connect(orderTab_->grid(), &OrderGrid::MainHelpRequested, help_, [this] { help_->ShowMainHelp("topic167"); });
  connect(picker_, &CommandPicker::HelpRequested, help_, &HelpWindows::ShowContextHelp);
  characters_ = new CharacterController(model_, ini_, programDirectory_, dataTab_, notes_, this);
  connect(characters_, &CharacterController::ControlsChanged, this, &MainWindow::UpdateCharacterControls);
  connect(characters_, &CharacterController::WriteFailed, this,
          [this](const QString& message) { QMessageBox::warning(this, kApplicationTitle, message); });
  characters_->NewCharacter();
  connect(options_, &OptionsDialog::ApplyRequested, this, [this] { TakeOptions(options_->Collect()); });
  connect(options_, &OptionsDialog::TestMailRequested, this, &MainWindow::SendTestMail);

  gridFont_ = DefaultGridFont();
  fontColour_ = QApplication::palette().color(QPalette::Text);
  RestoreWindowState();
  ApplySettings(CurrentOptions());

  connect(orderTab_->grid(), &OrderGrid::PopupRequested, this, [this](const QPoint& at) { popup_->popup(at); });
  connect(dataTab_, &DataTab::CharacterNameChanged, this, [this](const QString& name) {
    orderTab_->SetCharacterName(name);
    UpdateCharacterControls();
  });

  BuildPotionMenus();
  characters_->FillCharacterList();
  ShowModel();

  tabs_->setCurrentWidget(dataTab_);
  if (!arguments.isEmpty()) {
    const QFileInfo file(arguments.first());
    if (file.isFile() && file.suffix().toUpper() == "ULF") {
      OpenSheetFile(file.absoluteFilePath());
      tabs_->setCurrentWidget(orderTab_);
      openedAtStart_ = true;
    }
  }
  // The recovery copy and the notes follow the player's changes shortly.
  auto* keeper = new QTimer(this);
  keeper->setObjectName("RecoveryTimer");
  connect(keeper, &QTimer::timeout, this, &MainWindow::KeepUnsavedWork);
  keeper->start(kKeepInterval);
  UpdateCharacterControls();
  if (const QString probe = qEnvironmentVariable("MVUL_PROBE"); !probe.isEmpty()) new StateProbe(this, probe);

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
  notes_ = new QPlainTextEdit(notes);
  notes_->setObjectName("MemoJegyzet");
  notesLayout->addWidget(notes_);

  tabs_->addTab(dataTab_, "Adatok");
  tabs_->addTab(orderTab_, "Utasítás Lap");
  tabs_->addTab(notes, "Jegyzetek");
  listsTab_ = new ListsTab(programDirectory_, model_.lists);
  connect(listsTab_, &ListsTab::ListsChanged, this, [this] { orderTab_->ShowSheet(); });
  tabs_->addTab(listsTab_, "Listák");
  tabs_->addTab(new RiddlesTab, "Rejtvények");
  tabs_->addTab(new ValleyTab, "LV rejtvények");
  tabs_->addTab(new FormatterTab(model_.lists, editor_.interpreter().lookups()), "Formázók");
  tabs_->widget(3)->setObjectName("Listak");
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
  connect(AddItem(import, "ZendikUL", "Zendik-féle UL készítő (*.oul)"), &QAction::triggered, this,
          &MainWindow::ImportForeignSheet);
  file->addSeparator();
  postAction_ = AddItem(file, "PostUL", "UL küldése", Qt::Key_F4);
  connect(postAction_, &QAction::triggered, this, &MainWindow::PostLetter);
  mailAction_ = AddItem(file, "Mail1", "UL-levél mentése");
  connect(mailAction_, &QAction::triggered, this, &MainWindow::SaveLetter);
  copyAction_ = AddItem(file, "ULCopyClipBoard", "UL-levél másolása a vágólapra");
  connect(copyAction_, &QAction::triggered, this, &MainWindow::CopyLetter);
  file->addSeparator();
  connect(AddItem(file, "Kilps1", "&Kilépés"), &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu("&Szerkesztés");
  edit->setObjectName("Edit");
  QAction* newCommand = AddItem(edit, "NewParancs1", "Új parancs", QKeySequence("Ctrl+P"));
  connect(newCommand, &QAction::triggered, this, &MainWindow::NewCommand);
  potionMenu_ = edit->addMenu("Varázsital főzése");
  potionMenu_->setObjectName("varazs");
  edit->addSeparator();
  connect(AddItem(edit, "Ellenorzes", "Ellenőrzés", Qt::Key_F5), &QAction::triggered, this,
          &MainWindow::CheckWholeSheet);
  connect(AddItem(edit, "Ujraszamolas", "Újraszámolás", QKeySequence("Ctrl+R")), &QAction::triggered, this,
          &MainWindow::Recalculate);
  edit->addSeparator();
  QAction* undo = AddItem(edit, "Undo", "Visszavonás", QKeySequence("Ctrl+Z"));
  connect(undo, &QAction::triggered, this, &MainWindow::Undo);
  QAction* redo = AddItem(edit, "Redo", "Mégis", QKeySequence("Ctrl+Y"));
  connect(redo, &QAction::triggered, this, &MainWindow::Redo);
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
  connect(AddItem(settings, "Options", "Beállítások", QKeySequence("Ctrl+B")), &QAction::triggered, this,
          &MainWindow::OpenOptions);
  settings->addSeparator();
  connect(AddItem(settings, "FontChange", "Utasítás Lap Betűtípus"), &QAction::triggered, this,
          &MainWindow::ChangeGridFont);

  QMenu* help = bar->addMenu("&Súgó");
  help->setObjectName("Sg1");
  connect(AddItem(help, "Contents", "Tartalom"), &QAction::triggered, this,
          [this] { help_->ShowMainHelp("topic167"); });
  help->addSeparator();
  connect(AddItem(help, "News", "Újdonságok"), &QAction::triggered, this,
          [this] { help_->ShowText("Újdonságok", ShippedFile("ujdonsagok.txt")); });
  connect(AddItem(help, "Readme", "Használati útmutató"), &QAction::triggered, this,
          [this] { help_->ShowText("Használati útmutató", ShippedFile("olvassel.txt")); });
  help->addSeparator();
  QMenu* homepages = help->addMenu("Honlapok");
  homepages->setObjectName("Honlapok1");
  const std::pair<const char*, std::pair<const char*, const char*>> pages[] = {
      {"HPVorlan", {"Ombrel népe", "https://www.ombrelnepe.hu/"}},
      {"HPTavirell", {"Tavirell Kft honlapja", "https://www.tavirell.hu/"}},
      {"HPMVPortal", {"VO Dovido", "https://www.vodovido.hu/"}},
  };
  for (const auto& [name, page] : pages) {
    const QUrl url(page.second);
    connect(AddItem(homepages, name, page.first), &QAction::triggered, this, [url] { QDesktopServices::openUrl(url); });
  }
  help->addSeparator();
  connect(AddItem(help, "About", "Névjegy"), &QAction::triggered, this, [this] {
    AboutBox about(this);
    about.exec();
  });

  // The grid's pop-up menu shares the actions of "Szerkesztés" where the
  // captions agree; moving rows has captions of its own.
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  popup_->addAction(newCommand);
  popupPotionMenu_ = popup_->addMenu("Varázsital főzése");
  popupPotionMenu_->setObjectName("Varazs2");
  popup_->addSeparator();
  popup_->addAction(undo);
  popup_->addAction(redo);
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

std::filesystem::path MainWindow::ShippedFile(const std::string& name) const {
  const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
  for (const std::filesystem::path& candidate :
       {programDirectory_ / name, exe / name, exe / ".." / "share" / "mvul" / name}) {
    std::error_code ec;
    if (std::filesystem::exists(candidate, ec)) return candidate;
  }
  return programDirectory_ / name;
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
  const bool numbered = CanSave(model_);
  saveAction_->setEnabled(numbered);
  saveAsAction_->setEnabled(numbered);
  dataTab_->buttonSave->setEnabled(numbered && !model_.character.name.empty());
  const bool selected = dataTab_->comboKar->currentIndex() >= 0;
  for (QPushButton* b : {dataTab_->buttonLoad, dataTab_->buttonDelete, dataTab_->buttonSaveDefault})
    b->setEnabled(selected);
  const bool sendable = CanSend(model_);
  for (QAction* a : {postAction_, mailAction_, copyAction_}) a->setEnabled(sendable);
  // The folder is read again only for another character (or after a send).
  if (model_.character.number != lastSentShownFor_) ShowLastSent();
}

std::vector<std::filesystem::path> MainWindow::SheetFolders() const {
  std::vector<std::filesystem::path> folders{programDirectory_};
  for (const std::string& path : settings_.searchPaths) folders.emplace_back(Q(path).toStdString());
  return folders;
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstShow_) return;
  firstShow_ = false;
  if (!placed_) CentreOnScreen();
  // A sheet opened at start keeps its own character.
  if (!openedAtStart_) characters_->LoadStartupCharacter();
  UpdateCharacterControls();
  QTimer::singleShot(0, this, &MainWindow::OfferRecoveredSheets);
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void MainWindow::KeepUnsavedWork() {
  recovery_->Update(model_);
  characters_->SaveNotes();  // a failure is said at exit or when the notes are replaced
}

void MainWindow::OfferRecoveredSheets() {
  std::vector<RecoveredSheet> orphans = recovery_->ClaimOrphans();
  for (RecoveredSheet& orphan : orphans) {
    const QString question = "Találtam egy el nem mentett UL-t (" + Q(orphan.description) + "). Visszaállítsam?";
    if (QMessageBox::question(this, kWindowCaption, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) !=
        QMessageBox::Yes) {
      SheetRecovery::Forget(orphan);
      continue;
    }
    const FileOutcome outcome =
        SheetRecovery::Restore(editor_, orphan, [this](const std::string& key) { characters_->LoadCharacter(key); });
    ShowModel();
    if (outcome.failed()) {
      ShowFailure(outcome.message);
      continue;
    }
    tabs_->setCurrentWidget(orderTab_);
    UpdateCharacterControls();
    // Ours now; the others stay for the next start.
    if (recovery_->Update(model_)) SheetRecovery::Forget(orphan);
    return;
  }
}

void MainWindow::Undo() {
  if (editor_.Undo()) AfterRowOperation();
}

void MainWindow::Redo() {
  if (editor_.Redo()) AfterRowOperation();
}

void MainWindow::ShowFailure(const std::string& message) { QMessageBox::critical(this, kApplicationTitle, Q(message)); }

void MainWindow::ReportNoRoomForRow() {
  // Pushing row 20 off the sheet would lose the player's order without a word.
  QMessageBox::warning(this, kApplicationTitle,
                       "A 20. sorban parancs áll, ezért nem fér el új sor. Előbb töröld vagy helyezd át.");
}

void MainWindow::NewSheet() {
  editor_.NewSheet();
  ShowModel();
}

void MainWindow::OpenSheetDialog() {
  QStringList characters;
  for (int i = 0; i < dataTab_->comboKar->count(); ++i) characters << dataTab_->comboKar->itemText(i);
  if (!openDialog_->Prepare(SheetFolders(), characters)) return;
  if (openDialog_->exec() != QDialog::Accepted || !openDialog_->Chosen()) return;
  OpenSheetFile(QString::fromStdString(openDialog_->Chosen()->string()));
}

void MainWindow::OpenSheetFile(const QString& path) {
  const FileOutcome outcome =
      OpenSheet(editor_, path.toStdString(), [this](const std::string& key) { characters_->LoadCharacter(key); });
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

void MainWindow::ImportForeignSheet() {
  const QString file = QFileDialog::getOpenFileName(
      this, "Importálás", QString::fromStdString(programDirectory_.string()), "Zendik-féle UL (*.oul)");
  if (!file.isEmpty()) ImportForeignSheetFile(file);
}

void MainWindow::ImportForeignSheetFile(const QString& file) {
  const OulImport imported = ImportOul(editor_, file.toStdString(), programDirectory_,
                                       [this](const std::string& key) { characters_->LoadCharacter(key); });
  if (imported.outcome.failed()) {
    ShowFailure(imported.outcome.message);
    return;
  }
  ShowModel();
  tabs_->setCurrentWidget(orderTab_);
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
  ApplySettings(CurrentOptions());
}

OptionsDialog::Values MainWindow::CurrentOptions() const {
  OptionsDialog::Values v;
  v.settings = ReadSettings(ini_);
  v.associated = association_->IsPresent();
  const QPalette palette = QApplication::palette();
  auto colour = [](const std::optional<std::int32_t>& ref, QColor fallback) {
    const QColor c = ref ? ColourFromRef(*ref) : QColor();
    return c.isValid() ? c : fallback;
  };
  v.band1 = colour(v.settings.background1, palette.color(QPalette::Base));
  v.band2 = colour(v.settings.background2, palette.color(QPalette::ToolTipBase));
  v.font = fontColour_;
  v.smtp = ReadSmtpSettings(ini_);
  const std::string defaultKey = ini_.Read("Karakterek", "Alapertelmezett");
  if (!defaultKey.empty()) v.defaultCharacterName = Q(ini_.Read(defaultKey, "Karakternév"_w));
  return v;
}

void MainWindow::ApplySettings(const OptionsDialog::Values& v) {
  settings_ = v.settings;
  fontColour_ = v.font;
  GridLook look;
  look.band1 = v.band2;  // "Háttér 2" paints the first band
  look.band2 = v.band1;
  look.bandLength = v.settings.bandLength.value_or(1);
  look.fontColour = v.font;
  orderTab_->grid()->gridModel().SetLook(look);
  orderTab_->SetGridFont(gridFont_);
  orderTab_->SetFlatGrid(v.settings.flatGrid);
  orderTab_->grid()->SetCompletion(v.settings.completion);
  orderTab_->grid()->setMouseTracking(v.settings.gridHover);
  orderTab_->grid()->setStyleSheet(
      v.settings.gridHover ? "QTableView::item:hover { border: 1px solid palette(highlight); }" : QString());
  tabs_->tabBar()->setAttribute(Qt::WA_Hover, v.settings.hotTracking);
  dataTab_->editJelsz->setEchoMode(v.settings.passwordMasked ? QLineEdit::Password : QLineEdit::Normal);
  static_cast<TooltipSwitch*>(tooltipSwitch_)->on = v.settings.tooltips;
}

void MainWindow::TakeOptions(const OptionsDialog::Values& v) {
  ApplySettings(v);
  bool written = WriteSettings(ini_, v.settings);
  written = WriteSmtpSettings(ini_, v.smtp) && written;
  if (v.associated != association_->IsPresent())
    written = (v.associated ? association_->Install() : association_->Remove()) && written;
  if (!written)
    QMessageBox::warning(this, kApplicationTitle,
                         "A beállításokat nem sikerült teljesen elmenteni. Lehet, hogy az mv.ini írásvédett.");
}

bool MainWindow::LetterMayGo(const QString& question) {
  if (!settings_.checkBeforeSend) return true;
  const std::vector<SheetProblem> problems = CheckSheet(model_);
  const int errors = CountErrors(problems);
  if (errors == 0) return true;  // warnings and notices never stop a letter
  QMessageBox box(QMessageBox::Question, kWindowCaption, QString("Az UL-ben %1 hiba van. %2").arg(errors).arg(question),
                  QMessageBox::NoButton, this);
  box.setObjectName("KuldesElottiKerdes");
  QPushButton* yes = box.addButton("Igen", QMessageBox::YesRole);
  QPushButton* no = box.addButton("Nem", QMessageBox::NoRole);
  QPushButton* look = box.addButton("Megnézem", QMessageBox::ActionRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  if (box.clickedButton() == look) ShowProblems(problems);
  return box.clickedButton() == yes;
}

void MainWindow::ShowProblems(const std::vector<SheetProblem>& problems) {
  problems_->Show(problems);
  problems_->exec();
}

void MainWindow::CheckWholeSheet() { ShowProblems(CheckSheet(model_)); }

void MainWindow::Recalculate() {
  editor_.Recalculate();
  AfterRowOperation();
}

void MainWindow::PostLetter() {
  if (!LetterMayGo("Elküldöd így is?")) return;
  const std::string letter = OrderLetterText(model_);
  if (settings_.previewBeforeSend) {
    preview_->SetLetter(Q(letter).replace("\r\n", "\n"));
    if (preview_->exec() != QDialog::Accepted) return;
  }
  const SendOutcome outcome =
      SendWithProgress(this, ReadSmtpSettings(ini_), {settings_.recipient, kLetterSubject, letter});
  QString sent = Q(SendOutcomeMessage(outcome));
  if (outcome.sent()) {
    // What went out is kept; the send stands even if the copy does not.
    if (!ArchiveSentLetter(programDirectory_, model_.character.number, model_.fields.turn, letter, std::time(nullptr)))
      sent += "\n" + Q(SentCopyNotKeptMessage());
    ShowLastSent();
  }
  ShowSendOutcome(this, outcome, sent);
}

void MainWindow::ShowLastSent() {
  lastSentShownFor_ = model_.character.number;
  const auto last = LastSent(programDirectory_, model_.character.number);
  dataTab_->SetLastSent(last ? Q(LastSentText(*last)) : QString());
}

void MainWindow::ShowSendOutcome(QWidget* parent, const SendOutcome& outcome, const QString& sentText) {
  using Status = SendOutcome::Status;
  const QString message = outcome.sent() ? sentText : Q(SendOutcomeMessage(outcome));
  if (outcome.sent() || outcome.status == Status::Cancelled)
    QMessageBox::information(parent, kApplicationTitle, message);
  else if (outcome.status == Status::SendError)
    QMessageBox::warning(parent, kApplicationTitle, message);
  else
    QMessageBox::critical(parent, kApplicationTitle, message);
}

void MainWindow::SendTestMail() {
  const SmtpSettings smtp = options_->Collect().smtp;
  const MailMessage test{
      smtp.sender, "Morvald UL - probalevel",
      std::string("Ez egy próbalevél a Morvald UL készítő programból: a levelezés beállításai jók.\r\n"_w)};
  ShowSendOutcome(options_, SendWithProgress(options_, smtp, test), "Próbalevél elküldve");
}

void MainWindow::SaveLetter() {
  if (!LetterMayGo("Elmented így is?")) return;
  const std::string letter = OrderLetterText(model_);
  QFileDialog dialog(this, "UL levél mentése", QString::fromStdString(programDirectory_.string()), "UL Levél (*.eul)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("eul");
  dialog.selectFile(Q(DefaultLetterFileName(model_)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  // A failed write must not pass silently: the player would post nothing.
  if (!WriteFileAtomically(dialog.selectedFiles().first().toStdString(), letter, 0600))  // it holds the password
    QMessageBox::critical(this, kApplicationTitle,
                          "Az UL-levelet nem sikerült menteni: " + dialog.selectedFiles().first());
}

void MainWindow::CopyLetter() {
  if (!LetterMayGo("Kimásolod így is?")) return;
  QApplication::clipboard()->setText(Q(OrderLetterText(model_)));
}

void MainWindow::OpenOptions() {
  options_->Load(CurrentOptions());
  options_->exec();
}

void MainWindow::RestoreWindowState() {
  QSettings store = WindowStateStore();
  store.beginGroup("FoAblakAllapota");
  if (store.contains("FontDialog1.Font")) gridFont_.fromString(store.value("FontDialog1.Font").toString());
  if (store.contains("FontDialog1.Color")) fontColour_ = QColor(store.value("FontDialog1.Color").toString());
  // A stored place is used only when it is still on a screen.
  if (store.contains("Position")) {
    const QPoint stored = store.value("Position").toPoint();
    if (QGuiApplication::screenAt(stored + QPoint(20, 20))) {
      move(stored);
      placed_ = true;
    }
  }
  store.endGroup();
  store.beginGroup("BeallitasokAblakAllapota");
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    if (store.contains(QString("Custom%1").arg(i)))
      QColorDialog::setCustomColor(i, QColor(store.value(QString("Custom%1").arg(i)).toString()));
  store.endGroup();
}

void MainWindow::SaveWindowState() const {
  QSettings store = WindowStateStore();
  store.beginGroup("FoAblakAllapota");
  store.setValue("FontDialog1.Font", gridFont_.toString());
  store.setValue("FontDialog1.Color", fontColour_.name());
  store.setValue("Position", pos());
  store.endGroup();
  store.beginGroup("BeallitasokAblakAllapota");
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    store.setValue(QString("Custom%1").arg(i), QColorDialog::customColor(i).name());
  store.endGroup();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (model_.sheetModified) {
    const auto answer =
        QMessageBox::question(this, kApplicationTitle, "Elmented a változásokat?",
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) {
      event->ignore();
      return;
    }
    // A failed save keeps the window and the orders.
    if (answer == QMessageBox::Yes && !Save()) {
      event->ignore();
      return;
    }
  }
  recovery_->Discard();
  if (!characters_->SaveNotes()) QMessageBox::warning(this, kApplicationTitle, "A jegyzeteket nem sikerült elmenteni.");
  SaveWindowState();
  help_->CloseAll();
  event->accept();
}

}  // namespace mv::ui
