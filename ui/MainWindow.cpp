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
#include <tuple>
#include <type_traits>

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
  characters_ = new CharacterController(session_, ini_, dataTab_, notes_, *changes_, this);
  characters_->setObjectName("Karakterek");
  options_ = new OptionsController(ini_, DesktopAssociation(PathOf(QApplication::applicationFilePath())), this, tabs_,
                                   orderTab_, dataTab_);
  options_->setObjectName("Beallitasok");
  files_ = new SheetFileActions(editor_, options_->settings(), programDirectory_, characters_, this);
  files_->setObjectName("UlFajlok");
  // Leftovers of writes that were killed midway; copies still writing keep theirs.
  for (const std::filesystem::path& folder : files_->SheetFolders()) RemoveStaleTemporaryFiles(folder);
  CleanSentFolder(programDirectory_);
  letters_ = new LetterActions(editor_, ini_, options_->settings(), programDirectory_, this);
  letters_->setObjectName("UlLevelek");
  acrossTurns_ = new AcrossTurnsActions(
      editor_, files_, letters_, ini_, programDirectory_, [this](int row) { ShowRow(row); }, this);
  acrossTurns_->setObjectName("Fordulokon");
  templates_ = new TemplateActions(editor_, orderTab_, programDirectory_, this);
  templates_->setObjectName("Sablonok");
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
  acrossTurns_->DeleteBoard();
  delete tabs_;
}

void MainWindow::BuildTabs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("PageControl1");
  tabs_->setAccessibleName("Lapok");
  tabs_->tabBar()->setAccessibleName("Lapfülek");
  dataTab_ = new DataTab(editor_, session_);
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
  connect(characters_, &CharacterController::SelectionChanged, this, &MainWindow::UpdateCharacterControls);
  connect(characters_, &CharacterController::CharacterChosen, files_, &SheetFileActions::SwitchCharacter);
  connect(characters_, &CharacterController::WriteFailed, this,
          [this](const QString& message) { Tell(this, QMessageBox::Warning, message); });
  // The screen follows the document, the view and the character.
  connect(changes_, &DocumentSignals::FieldsChanged, dataTab_, &DataTab::ShowFields);
  connect(changes_, &DocumentSignals::CharacterChanged, this, [this] {
    dataTab_->ShowFields();
    UpdateCharacterControls();
  });
  // The last send follows the character shown and the letters that go.
  for (const auto signal : {&DocumentSignals::CharacterReplaced, &DocumentSignals::LastSentChanged})
    connect(changes_, signal, this, &MainWindow::ShowLastSent);
  connect(changes_, &DocumentSignals::WorkChanged, this, &MainWindow::ScheduleKeepingUnsavedWork);
  connect(notes_, &QPlainTextEdit::textChanged, this, &MainWindow::ScheduleKeepingUnsavedWork);
  connect(files_, &SheetFileActions::ShowOrders, orderTab_, &OrderTab::ShowMe);
  connect(files_, &SheetFileActions::Notice, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(letters_, &LetterActions::RowChosen, orderTab_, &OrderTab::SelectRow);
  connect(letters_, &LetterActions::Sent, this, [this] { session_.LetterSent(); });
  // The board follows saves, sends and opens made here.
  connect(changes_, &DocumentSignals::LastSentChanged, acrossTurns_, &AcrossTurnsActions::RefreshBoard);
  connect(options_, &OptionsController::SettingsChanged, acrossTurns_, &AcrossTurnsActions::RefreshBoard);
  // A save or an open changes the files; the first key typed after them does not.
  connect(changes_, &DocumentSignals::SaveStateChanged, this, [this] {
    if (!document_.modified()) acrossTurns_->RefreshBoard();
  });
  auto* budget = new BudgetField(orderTab_->budgetEdit(), orderTab_->remainingLabel(), ini_, editor_, *changes_, this);
  connect(budget, &BudgetField::WriteFailed, this,
          [this](const QString& message) { Tell(this, QMessageBox::Warning, message); });
  connect(options_->dialog(), &OptionsDialog::TestMailRequested, this, [this] {
    const OptionsDialog::Values shown = options_->dialog()->Collect();
    letters_->SendTestMail(options_->dialog(), shown.smtp, shown.askPassword);
  });
}

void MainWindow::BuildMenus() {
  menuBar()->setObjectName("MainMenu1");
  menus_ = new MenuTable(this);
  const auto character = [this] { return session_.shown().fields; };
  const auto saveable = [character] { return CanSave(character()); };
  const auto sendable = [character] { return CanSend(character()); };
  const auto on = [](auto* part, void (std::remove_pointer_t<decltype(part)>::*slot)()) {
    return [part, slot] { (part->*slot)(); };
  };
  const auto show = [this](const char* title, const char* file) {
    return [this, title, file] { help_->ShowText(title, ShippedFile(file)); };
  };
  menus_->AddMenu(
      menuBar(), "UL1", "&Fájl",
      {Item("NewUL", "Ú&j", {}, on(files_, &SheetFileActions::NewSheet)),
       Item("OpenUL", "Megnyit", Qt::Key_F3, on(files_, &SheetFileActions::OpenSheetDialog)),
       Item(
           "SaveUL", "Ment", Qt::Key_F2, [this] { files_->Save(); }, saveable),
       Item(
           "SaveAsUL", "Ment másként", {}, [this] { files_->SaveAs(); }, saveable),
       // Only a sheet whose turn is a turn has a next one.
       Item("NextTurnUL", "UL a következő &fordulóra", {}, on(files_, &SheetFileActions::NextTurn),
            [this] { return ValidTurn(document_.fields().turn).has_value(); }),
       Item("TurnBoardUL", "Fordulók á&ttekintése", Qt::Key_F6, [this] { acrossTurns_->ShowBoard(); }),
       Item("DiffUL", "Mi vál&tozott?", Qt::Key_F7, [this] { acrossTurns_->ShowDiff(); }),
       Item("SearchUL", "Keresés az UL-ekben…", QKeySequence("Ctrl+Shift+F"), [this] { acrossTurns_->ShowSearch(); }),
       Item("NextNeededUL", "Következő teendő", QKeySequence("Ctrl+N"), [this] { acrossTurns_->GoToNextNeeding(); }),
       Separator(),
       Submenu(
           "Import", "Importálás",
           {Item("ZendikUL", "Zendik-féle UL készítő (*.oul)", {}, on(files_, &SheetFileActions::ImportForeignSheet))}),
       Separator(), Item("PostUL", "UL küldése", Qt::Key_F4, on(letters_, &LetterActions::PostLetter), sendable),
       Item("Mail1", "UL-levél mentése", {}, on(letters_, &LetterActions::SaveLetter), sendable),
       Item("ULCopyClipBoard", "UL-levél másolása a vágólapra", {}, on(letters_, &LetterActions::CopyLetter), sendable),
       Separator(), Item("Kilps1", "&Kilépés", {}, [this] { close(); })});
  // Undo and redo only with something to undo or redo, in the menu and the pop-up alike.
  // The tab is made after the menus, so the closure holds where it will be. Not a
  // member access through this: GCC 12's UBSan checks a wrong pointer there.
  OrderTab* const* tab = &orderTab_;
  const auto row = [tab](const char* name, const QString& caption, const QKeySequence& keys,
                         void (OrderTab::*operation)(), std::function<bool()> enabled = {}) {
    return Item(
        name, caption, keys, [tab, operation] { ((*tab)->*operation)(); }, std::move(enabled));
  };
  menus_->AddMenu(
      menuBar(), "Edit", "&Szerkesztés",
      {row("NewParancs1", "Új parancs", QKeySequence("Ctrl+P"), &OrderTab::NewCommand),
       Submenu("varazs", "Varázsital főzése"), Separator(),
       Item("Ellenorzes", "Ellenőrzés", Qt::Key_F5, on(letters_, &LetterActions::CheckWholeSheet)),
       row("Ujraszamolas", "Újraszámolás", QKeySequence("Ctrl+R"), &OrderTab::Recalculate), Separator(),
       row("Undo", "Visszavonás", QKeySequence("Ctrl+Z"), &OrderTab::Undo, [this] { return document_.CanUndo(); }),
       row("Redo", "Mégis", QKeySequence("Ctrl+Y"), &OrderTab::Redo, [this] { return document_.CanRedo(); }),
       Separator(), row("RowInsert", "Új sor beszúrása", QKeySequence("Ctrl+Ins"), &OrderTab::InsertRow),
       row("RowDelete", "Sor törlése", QKeySequence("Ctrl+Del"), &OrderTab::DeleteRow),
       row("RowDuplicate", "Sor duplázása", QKeySequence("Ctrl+D"), &OrderTab::DuplicateRow), Separator(),
       row("RowUp", "Egy sorral fel", QKeySequence("Ctrl+Up"), &OrderTab::MoveRowUp),
       row("RowDown", "Egy sorral le", QKeySequence("Ctrl+Down"), &OrderTab::MoveRowDown), Separator(),
       Item("SaveTemplate", "Sablonként mentés…", {}, [this] { templates_->SaveSelection(); }),
       Item("InsertTemplate", "Sablon beszúrása", QKeySequence("Ctrl+Shift+B"),
            [this] { templates_->InsertTemplate(); })});
  menus_->AddMenu(
      menuBar(), "Belltsok1", "&Beállítások",
      {Item("Options", "Beállítások", QKeySequence("Ctrl+B"), on(options_, &OptionsController::OpenOptions)),
       Separator(),
       Item("FontChange", "Utasítás Lap Betűtípus", {}, on(options_, &OptionsController::ChangeGridFont))});
  std::vector<MenuItem> homepages;
  for (const auto& [name, caption, url] :
       {std::tuple{"HPVorlan", "Ombrel népe", "https://www.ombrelnepe.hu/"},
        std::tuple{"HPTavirell", "Tavirell Kft honlapja", "https://www.tavirell.hu/"},
        std::tuple{"HPMVPortal", "VO Dovido", "https://www.vodovido.hu/"}})
    homepages.push_back(Item(name, caption, {}, [url = QUrl(url)] { QDesktopServices::openUrl(url); }));
  menus_->AddMenu(
      menuBar(), "Sg1", "&Súgó",
      {Item(
           "Contents", "Tartalom", {}, [this] { help_->ShowMainHelp(kMainHelpTopic); }, [this] { return help_->on(); }),
       Separator(), Item("News", "Újdonságok", {}, show("Újdonságok", "ujdonsagok.txt")),
       Item("Readme", "Használati útmutató", {}, show("Használati útmutató", "olvassel.txt")), Separator(),
       Submenu("Honlapok1", "Honlapok", std::move(homepages)), Separator(), Item("About", "Névjegy", {}, [this] {
         AboutBox about(this);
         about.exec();
       })});
  // The grid's pop-up menu shares the actions of "Szerkesztés" where the
  // captions agree; moving rows has captions of its own.
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  menus_->Fill(popup_,
               {Existing("NewParancs1"), Submenu("Varazs2", "Varázsital főzése"), Separator(), Existing("Undo"),
                Existing("Redo"), Separator(), Existing("RowInsert"), Existing("RowDelete"), Existing("RowDuplicate"),
                Separator(), row("Egysorralfel1", "Egy sorral fel (Ctrl+Fel)", {}, &OrderTab::MoveRowUp),
                row("Egysorralle1", "Egy sorral le (Ctrl+Le)", {}, &OrderTab::MoveRowDown), Separator(),
                Existing("SaveTemplate"), Existing("InsertTemplate")});
  for (const auto signal : {&DocumentSignals::FieldsChanged, &DocumentSignals::CharacterChanged})
    connect(changes_, signal, menus_, &MenuTable::UpdateEnabled);
  connect(changes_, &DocumentSignals::HistoryChanged, menus_, &MenuTable::UpdateEnabled);
}

std::filesystem::path MainWindow::ShippedFile(const std::string& name) const {
  const std::filesystem::path exe = PathOf(QCoreApplication::applicationDirPath());
  for (const std::filesystem::path& candidate :
       {programDirectory_ / name, exe / name, exe / ".." / "share" / "mvul" / name}) {
    std::error_code ec;
    if (std::filesystem::exists(candidate, ec)) return candidate;
  }
  return programDirectory_ / name;
}

void MainWindow::BuildPotionMenus() {
  for (const char* name : {"varazs", "Varazs2"}) orderTab_->FillPotionMenu(menus_->Menu(name), lists_.potions);
}

void MainWindow::ShowModel() {
  dataTab_->ShowFields();
  orderTab_->ShowSheet();
}

void MainWindow::UpdateCharacterControls() {
  const CharacterFields& character = session_.shown().fields;
  dataTab_->EnableCharacterButtons(CanStoreCharacter(character), dataTab_->characterList()->currentIndex() >= 0);
  menus_->UpdateEnabled();
  // The folder is read again only for another character (or after a send).
  if (character.number != lastSentShownFor_) ShowLastSent();
}

void MainWindow::ShowRow(int row) {
  tabs_->setCurrentWidget(orderTab_);
  orderTab_->SelectRow(row);
  raise();
  activateWindow();
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
  acrossTurns_->CloseBoard();  // it keeps its place for the next time
  help_->CloseAll();
  event->accept();
}

}  // namespace mv::ui
