#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "core/CharacterRules.h"
#include "core/NextTurn.h"
#include "store/DataListFile.h"
#include "store/HelpBundle.h"
#include "store/SentArchive.h"
#include "store/TextFile.h"
#include "ui/AboutBox.h"
#include "ui/Accessibility.h"
#include "ui/BudgetField.h"
#include "ui/ListsTab.h"
#include "ui/PuzzleTabs.h"
#include "ui/StateProbe.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

constexpr int kClientWidth = 608;
constexpr int kClientHeight = 421;
constexpr int kKeepInterval = 1000;  // ms between looks at unsaved work
constexpr const char* kMainHelpTopic = "topic167";

}  // namespace

MainWindow::MainWindow(std::filesystem::path programDirectory, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      programDirectory_(std::move(programDirectory)),
      ini_(programDirectory_ / "mv.ini"),
      session_(document_, ini_, programDirectory_),
      editor_(document_, view_, lists_, session_.shown()) {
  setObjectName("TFormMain");
  setWindowTitle(kWindowCaption);
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  // Another copy holding mv.ini's lock: a busy cursor while we wait for it.
  SetLockWaitHook([](bool waiting) {
    if (waiting)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  });
  LoadReferenceLists(programDirectory_, lists_);
  changes_ = new DocumentSignals(document_, view_, session_, this);

  BuildTabs();
  characters_ = new CharacterController(session_, ini_, dataTab_, notes_, this);
  characters_->setObjectName("Karakterek");
  options_ = new OptionsController(ini_,
                                   std::make_unique<FreedesktopAssociation>(FreedesktopAssociation::ForCurrentUser(
                                       QApplication::applicationFilePath().toStdString())),
                                   this, tabs_, orderTab_, dataTab_);
  options_->setObjectName("Beallitasok");
  files_ = new SheetFileActions(editor_, options_->settings(), programDirectory_, characters_, this);
  files_->setObjectName("UlFajlok");
  // Leftovers of writes that were killed midway; copies still writing keep theirs.
  for (const std::filesystem::path& folder : files_->SheetFolders()) RemoveStaleTemporaryFiles(folder);
  CleanSentFolder(programDirectory_);
  letters_ = new LetterActions(editor_, ini_, options_->settings(), programDirectory_, this);
  letters_->setObjectName("UlLevelek");
  BuildHelp();
  BuildMenus();
  Connect();

  characters_->NewCharacter();
  placed_ = options_->RestoreWindowState();
  options_->RemoveLeftPassword();
  options_->ApplySettings(options_->CurrentOptions());
  BuildPotionMenus();
  characters_->FillCharacterList();
  ShowModel();
  OpenStartupSheet(arguments);
  StartKeepingUnsavedWork();
  UpdateCharacterControls();
  if (const QString probe = qEnvironmentVariable("MVUL_PROBE"); !probe.isEmpty()) new StateProbe(this, probe);
  NameUnlabelledControls(this);  // the dialogs are ours too

  // Fixed client area: the tabs fill it, the menu bar comes on top.
  centralWidget()->setFixedSize(kClientWidth, kClientHeight);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() {
  delete board_;
  delete tabs_;
}

void MainWindow::BuildTabs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("PageControl1");
  tabs_->setAccessibleName("Lapok");
  tabs_->tabBar()->setAccessibleName("Lapfülek");
  dataTab_ = new DataTab(document_, session_);
  dataTab_->setObjectName("Adatok");
  orderTab_ = new OrderTab(editor_, *changes_);
  orderTab_->setObjectName("UtasitasLap");
  auto* notes = new QWidget;
  notes->setObjectName("Jegyzetek");
  auto* notesLayout = new QVBoxLayout(notes);
  notes_ = new QPlainTextEdit(notes);
  notes_->setObjectName("MemoJegyzet");
  notes_->setAccessibleName("A karakter jegyzetei");
  notesLayout->addWidget(notes_);
  auto* lists = new ListsTab(programDirectory_, lists_);
  lists->setObjectName("Listak");
  connect(lists, &ListsTab::ListsChanged, orderTab_, &OrderTab::ShowSheet);

  tabs_->addTab(dataTab_, "Adatok");
  tabs_->addTab(orderTab_, "Utasítás Lap");
  tabs_->addTab(notes, "Jegyzetek");
  tabs_->addTab(lists, "Listák");
  tabs_->addTab(new RiddlesTab, "Rejtvények");
  tabs_->addTab(new ValleyTab, "LV rejtvények");
  tabs_->addTab(new FormatterTab(lists_), "Formázók");
  tabs_->setCurrentWidget(dataTab_);
  setCentralWidget(tabs_);
}

void MainWindow::BuildHelp() {
  const HelpAvailability helpCheck = CheckHelp({programDirectory_ / "help", ShippedFile("help")});
  help_ = new HelpWindows(helpCheck.folder, this);
  help_->setObjectName("Sugo");
  if (helpCheck.message) {
    const QString message = Q(*helpCheck.message);
    QTimer::singleShot(0, this, [this, message] { Tell(this, QMessageBox::Critical, message); });
  }
}

void MainWindow::Connect() {
  connect(orderTab_, &OrderTab::ShowMe, this, [this] { tabs_->setCurrentWidget(orderTab_); });
  connect(orderTab_, &OrderTab::ContextHelpRequested, help_, &HelpWindows::ShowContextHelp);
  connect(orderTab_, &OrderTab::MainHelpRequested, help_, [this] { help_->ShowMainHelp(kMainHelpTopic); });
  connect(orderTab_, &OrderTab::PopupRequested, this, [this](const QPoint& at) { popup_->popup(at); });
  connect(dataTab_, &DataTab::CharacterNameChanged, this, [this](const QString& name) {
    orderTab_->SetCharacterName(name);
    UpdateCharacterControls();
  });
  connect(characters_, &CharacterController::ControlsChanged, this, &MainWindow::UpdateCharacterControls);
  connect(characters_, &CharacterController::CharacterChosen, files_, &SheetFileActions::SwitchCharacter);
  connect(characters_, &CharacterController::WriteFailed, this,
          [this](const QString& message) { Tell(this, QMessageBox::Warning, message); });
  // The screen follows the document, the view and the character.
  connect(changes_, &DocumentSignals::FieldsChanged, dataTab_, &DataTab::ShowFields);
  connect(changes_, &DocumentSignals::CharacterChanged, this, [this] {
    dataTab_->ShowFields();
    UpdateCharacterControls();
  });
  connect(changes_, &DocumentSignals::WorkChanged, this, &MainWindow::ScheduleKeepingUnsavedWork);
  connect(notes_, &QPlainTextEdit::textChanged, this, &MainWindow::ScheduleKeepingUnsavedWork);
  connect(files_, &SheetFileActions::ShowOrders, orderTab_, &OrderTab::ShowMe);
  connect(files_, &SheetFileActions::Notice, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(letters_, &LetterActions::RowChosen, orderTab_, &OrderTab::SelectRow);
  connect(letters_, &LetterActions::Sent, this, &MainWindow::ShowLastSent);
  // The board follows saves, sends and opens made here.
  connect(letters_, &LetterActions::Sent, this, &MainWindow::RefreshTurnBoard);
  // A save or an open changes the files; the first key typed after them does not.
  connect(changes_, &DocumentSignals::SaveStateChanged, this, [this] {
    if (!document_.modified()) RefreshTurnBoard();
  });
  auto* budget = new BudgetField(orderTab_->budgetEdit(), orderTab_->remainingLabel(), ini_, editor_, *changes_, this);
  connect(budget, &BudgetField::WriteFailed, this,
          [this](const QString& message) { Tell(this, QMessageBox::Warning, message); });
  connect(options_->dialog(), &OptionsDialog::TestMailRequested, this, [this] {
    const OptionsDialog::Values shown = options_->dialog()->Collect();
    letters_->SendTestMail(options_->dialog(), shown.smtp, shown.askPassword);
  });
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
  connect(AddItem(file, "NewUL", "Ú&j"), &QAction::triggered, files_, &SheetFileActions::NewSheet);
  connect(AddItem(file, "OpenUL", "Megnyit", Qt::Key_F3), &QAction::triggered, files_,
          &SheetFileActions::OpenSheetDialog);
  saveAction_ = AddItem(file, "SaveUL", "Ment", Qt::Key_F2);
  connect(saveAction_, &QAction::triggered, files_, &SheetFileActions::Save);
  saveAsAction_ = AddItem(file, "SaveAsUL", "Ment másként");
  connect(saveAsAction_, &QAction::triggered, files_, &SheetFileActions::SaveAs);
  QAction* nextTurn = AddItem(file, "NextTurnUL", "UL a következő &fordulóra");
  connect(nextTurn, &QAction::triggered, files_, &SheetFileActions::NextTurn);
  // Only a sheet whose turn is a turn has a next one.
  const auto followTurn = [this, nextTurn] { nextTurn->setEnabled(ValidTurn(document_.fields().turn).has_value()); };
  connect(changes_, &DocumentSignals::FieldsChanged, this, followTurn);
  followTurn();
  connect(AddItem(file, "TurnBoardUL", "Fordulók á&ttekintése", Qt::Key_F6), &QAction::triggered, this,
          &MainWindow::ShowTurnBoard);
  file->addSeparator();
  QMenu* import = file->addMenu("Importálás");
  import->setObjectName("Import");
  connect(AddItem(import, "ZendikUL", "Zendik-féle UL készítő (*.oul)"), &QAction::triggered, files_,
          &SheetFileActions::ImportForeignSheet);
  file->addSeparator();
  postAction_ = AddItem(file, "PostUL", "UL küldése", Qt::Key_F4);
  connect(postAction_, &QAction::triggered, letters_, &LetterActions::PostLetter);
  mailAction_ = AddItem(file, "Mail1", "UL-levél mentése");
  connect(mailAction_, &QAction::triggered, letters_, &LetterActions::SaveLetter);
  copyAction_ = AddItem(file, "ULCopyClipBoard", "UL-levél másolása a vágólapra");
  connect(copyAction_, &QAction::triggered, letters_, &LetterActions::CopyLetter);
  file->addSeparator();
  connect(AddItem(file, "Kilps1", "&Kilépés"), &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu("&Szerkesztés");
  edit->setObjectName("Edit");
  auto rowItem = [&](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                     void (OrderTab::*operation)()) {
    QAction* action = AddItem(menu, name, caption, keys);
    connect(action, &QAction::triggered, orderTab_, operation);
    return action;
  };
  QAction* newCommand = rowItem(edit, "NewParancs1", "Új parancs", QKeySequence("Ctrl+P"), &OrderTab::NewCommand);
  potionMenu_ = edit->addMenu("Varázsital főzése");
  potionMenu_->setObjectName("varazs");
  edit->addSeparator();
  connect(AddItem(edit, "Ellenorzes", "Ellenőrzés", Qt::Key_F5), &QAction::triggered, letters_,
          &LetterActions::CheckWholeSheet);
  rowItem(edit, "Ujraszamolas", "Újraszámolás", QKeySequence("Ctrl+R"), &OrderTab::Recalculate);
  edit->addSeparator();
  QAction* undo = rowItem(edit, "Undo", "Visszavonás", QKeySequence("Ctrl+Z"), &OrderTab::Undo);
  QAction* redo = rowItem(edit, "Redo", "Mégis", QKeySequence("Ctrl+Y"), &OrderTab::Redo);
  // Enabled only with something to undo or redo, in the menu and the pop-up alike.
  const auto followHistory = [undo, redo](bool canUndo, bool canRedo) {
    undo->setEnabled(canUndo);
    redo->setEnabled(canRedo);
  };
  connect(changes_, &DocumentSignals::HistoryChanged, this, followHistory);
  followHistory(document_.CanUndo(), document_.CanRedo());
  edit->addSeparator();
  QAction* insert = rowItem(edit, "RowInsert", "Új sor beszúrása", QKeySequence("Ctrl+Ins"), &OrderTab::InsertRow);
  QAction* remove = rowItem(edit, "RowDelete", "Sor törlése", QKeySequence("Ctrl+Del"), &OrderTab::DeleteRow);
  QAction* duplicate = rowItem(edit, "RowDuplicate", "Sor duplázása", QKeySequence("Ctrl+D"), &OrderTab::DuplicateRow);
  edit->addSeparator();
  rowItem(edit, "RowUp", "Egy sorral fel", QKeySequence("Ctrl+Up"), &OrderTab::MoveRowUp);
  rowItem(edit, "RowDown", "Egy sorral le", QKeySequence("Ctrl+Down"), &OrderTab::MoveRowDown);

  QMenu* settings = bar->addMenu("&Beállítások");
  settings->setObjectName("Belltsok1");
  connect(AddItem(settings, "Options", "Beállítások", QKeySequence("Ctrl+B")), &QAction::triggered, options_,
          &OptionsController::OpenOptions);
  settings->addSeparator();
  connect(AddItem(settings, "FontChange", "Utasítás Lap Betűtípus"), &QAction::triggered, options_,
          &OptionsController::ChangeGridFont);

  QMenu* help = bar->addMenu("&Súgó");
  help->setObjectName("Sg1");
  QAction* contents = AddItem(help, "Contents", "Tartalom");
  contents->setEnabled(help_->on());
  connect(contents, &QAction::triggered, this, [this] { help_->ShowMainHelp(kMainHelpTopic); });
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
  popup_->addActions({undo, redo});
  popup_->addSeparator();
  popup_->addActions({insert, remove, duplicate});
  popup_->addSeparator();
  rowItem(popup_, "Egysorralfel1", "Egy sorral fel (Ctrl+Fel)", {}, &OrderTab::MoveRowUp);
  rowItem(popup_, "Egysorralle1", "Egy sorral le (Ctrl+Le)", {}, &OrderTab::MoveRowDown);
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
  for (QMenu* menu : {potionMenu_, popupPotionMenu_}) orderTab_->FillPotionMenu(menu, lists_.potions);
}

void MainWindow::ShowModel() {
  dataTab_->ShowFields();
  orderTab_->ShowSheet();
}

void MainWindow::UpdateCharacterControls() {
  const CharacterFields& character = session_.shown().fields;
  const bool numbered = CanSave(character);
  saveAction_->setEnabled(numbered);
  saveAsAction_->setEnabled(numbered);
  dataTab_->EnableCharacterButtons(CanStoreCharacter(character), dataTab_->characterList()->currentIndex() >= 0);
  const bool sendable = CanSend(character);
  for (QAction* a : {postAction_, mailAction_, copyAction_}) a->setEnabled(sendable);
  // The folder is read again only for another character (or after a send).
  if (character.number != lastSentShownFor_) ShowLastSent();
}

void MainWindow::ShowTurnBoard() {
  if (!board_) {
    board_ = new TurnBoard(
        programDirectory_, ini_.path(), lists_, [this] { return files_->SheetFolders(); }, this);
    connect(board_, &TurnBoard::OpenRequested, this, [this](const QString& sheet) {
      files_->OpenSheetFile(sheet);
      // The opened orders in front, where the player goes on.
      tabs_->setCurrentWidget(orderTab_);
      raise();
      activateWindow();
    });
    connect(board_, &TurnBoard::NextTurnRequested, files_, &SheetFileActions::NextTurnFrom);
    connect(board_, &TurnBoard::SendAllRequested, this, [this] {
      // What goes out is what is on disk: the window's sheet is saved first if the player wants.
      if (!files_->MayReplaceSheet()) return;
      board_->RefreshThen([this] { letters_->SendAll(board_->CurrentSheets()); });
    });
  }
  board_->Refresh();
  board_->show();
  board_->raise();
  board_->activateWindow();
}

void MainWindow::RefreshTurnBoard() {
  if (board_ && board_->isVisible()) board_->Refresh();
}

void MainWindow::ShowLastSent() {
  lastSentShownFor_ = session_.shown().fields.number;
  dataTab_->SetLastSent(letters_->LastSentLine());
}

void MainWindow::OpenStartupSheet(const QStringList& arguments) {
  if (arguments.isEmpty()) return;
  const QFileInfo file(arguments.first());
  if (!file.isFile() || file.suffix().toUpper() != "ULF") return;
  files_->OpenSheetFile(file.absoluteFilePath());
  tabs_->setCurrentWidget(orderTab_);
  openedAtStart_ = true;
}

void MainWindow::StartKeepingUnsavedWork() {
  // The recovery copy and the notes follow the player's changes shortly:
  // at most a second after the first change, however fast he types.
  keeper_ = new QTimer(this);
  keeper_->setObjectName("RecoveryTimer");
  keeper_->setSingleShot(true);
  keeper_->setInterval(kKeepInterval);
  connect(keeper_, &QTimer::timeout, this, &MainWindow::KeepUnsavedWork);
  ScheduleKeepingUnsavedWork();  // a sheet opened or restored at start
}

void MainWindow::ScheduleKeepingUnsavedWork() {
  if (keeper_ && !keeper_->isActive()) keeper_->start();
}

void MainWindow::KeepUnsavedWork() {
  files_->KeepUnsavedWork();
  characters_->SaveNotes();  // a failure is said at exit or when the notes are replaced
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstShow_) return;
  firstShow_ = false;
  if (!placed_) CentreOnScreen();
  // A sheet opened at start keeps its own character.
  if (!openedAtStart_) characters_->LoadStartupCharacter();
  UpdateCharacterControls();
  QTimer::singleShot(0, files_, &SheetFileActions::OfferRecoveredSheets);
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A failed save keeps the window and the orders.
  if (!files_->MayReplaceSheet()) {
    event->ignore();
    return;
  }
  files_->DiscardRecoveryCopy();
  if (!characters_->SaveNotes()) Tell(this, QMessageBox::Warning, "A jegyzeteket nem sikerült elmenteni.");
  options_->SaveWindowState();
  if (board_) board_->close();  // keeps its place for the next time
  help_->CloseAll();
  event->accept();
}

}  // namespace mv::ui
