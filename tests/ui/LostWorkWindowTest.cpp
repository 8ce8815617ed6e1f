// What a new player trips over in the window, and the last ways to lose a
// sheet or a note there: replacing a modified sheet, undo while typing, the
// keyboard, the window's place, notes typed in two windows.
#include <QAccessible>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QStatusBar>
#include <QStyle>

#include "core/Cp1250.h"
#include "store/SheetFile.h"
#include "store/SheetRecovery.h"
#include "store/TextFile.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/Accessibility.h"
#include "ui/Colours.h"
#include "ui/HelpWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/OptionsDialog.h"

namespace {

using namespace mvtest;
using mv::ui::MainWindow;

// Every way of replacing the sheet, and each answer to "Elmented a változásokat?".
TEST_F(MainWindowTest, NothingReplacesAModifiedSheetWithoutAsking) {
  WriteFile("masik.ulf", "3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\n");
  WriteFile("idegen.oul", "nem ilyen\r\n");
  auto* files = Find<mv::ui::SheetFileActions>(*window_, "UlFajlok");
  const std::pair<const char*, std::function<void()>> replacements[] = {
      {"Új", [this] { Find<QAction>(*window_, "NewUL")->trigger(); }},
      {"Megnyit", [&] { files->OpenSheetFile(QString::fromStdString((dir_ / "masik.ulf").string())); }},
      {"Importálás", [&] { files->ImportForeignSheetFile(QString::fromStdString((dir_ / "idegen.oul").string())); }},
  };
  for (const auto& [what, replace] : replacements) {
    // Mégse, and Igen whose save cannot happen (no character number): nothing
    // changes. Nem: the sheet is replaced.
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No}) {
      SCOPED_TRACE(std::string(what) + " " + std::to_string(answer));
      window_->document().SetModified(false);
      Find<QAction>(*window_, "NewUL")->trigger();
      window_->activateWindow();
      Go(1, 1);
      Type("be");
      ASSERT_TRUE(window_->document().modified());
      const auto asked = AnswerOnce(window_.get(), answer);
      const auto refusal = Press(QMessageBox::Ok);  // the save's refusal, the import's failure
      replace();
      for (QTimer* t : window_->findChildren<QTimer*>())
        if (t->objectName().isEmpty()) t->stop();
      EXPECT_EQ(*asked, QString("Elmented a változásokat?"));
      const bool replaced =
          answer == QMessageBox::No && std::string(what) != "Importálás";  // a bad .oul replaces nothing
      EXPECT_EQ(Cell(1, 1), replaced ? "" : "be");
      EXPECT_EQ(window_->document().modified(), !replaced);
    }
  }
}

// The panel explains what the current row holds now: not the order "Új"
// cleared away, and the order a recovered sheet brings back.
TEST_F(MainWindowTest, ThePanelExplainsWhatTheCurrentRowHoldsAfterNewAndARestoredSheet) {
  window_->activateWindow();
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Tab);
  ASSERT_EQ(Panel(), "Belépés épületbe");
  AnswerOnce(window_.get(), QMessageBox::No);
  Find<QAction>(*window_, "NewUL")->trigger();
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(Panel(), "");
  EXPECT_EQ(Find<QLabel>(*window_, "RxLabelOsszTVP")->text(), "0");

  mv::SheetContent lost;
  lost.sheet.Cell(1, mv::col::kCode) = "e";
  WriteFile(".mvul-helyreallitas-1-1.ulr", "MVUL-HELYREALLITAS\r\n\r\n" + mv::WriteSheet(lost));
  Press(QMessageBox::Yes);
  Find<mv::ui::SheetFileActions>(*window_, "UlFajlok")->OfferRecoveredSheets();
  EXPECT_EQ(Cell(1, 1), "e");
  EXPECT_EQ(Panel(), "Élelemszerzés");
  EXPECT_TRUE(window_->document().modified());
}

TEST_F(MainWindowTest, CtrlZAndCtrlYWorkWhileACellIsBeingTyped) {
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Tab);
  Type("1");
  Key(Qt::Key_Tab);  // the next cell's editor is open and empty
  ASSERT_NE(qobject_cast<QLineEdit*>(Focused()), nullptr);
  EXPECT_EQ(Cell(1, 2), "1");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 2), "");
  EXPECT_EQ(Cell(1, 1), "be");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 2), "1");
}

TEST_F(MainWindowTest, TheCellBeingTypedStandsOutFromItsRow) {
  Go(1, 1);
  Type("b");
  auto* editor = qobject_cast<QLineEdit*>(Focused());
  ASSERT_NE(editor, nullptr);
  const QImage shot = editor->grab().toImage();
  const QColor inside = shot.pixelColor(shot.width() / 2, shot.height() - 4);
  const QColor edge = shot.pixelColor(0, shot.height() / 2);
  EXPECT_NE(edge, inside);  // a frame, not a white box on a white row
  EXPECT_EQ(edge.rgb(), editor->palette().color(QPalette::Highlight).rgb());
}

// Every digit typed stays in sight while the cell is typed (the suite runs
// once more at QT_SCALE_FACTOR=1.5).
TEST_F(MainWindowTest, TheCellBeingTypedShowsAllItsDigits) {
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Tab);
  Type("12345");
  auto* editor = qobject_cast<QLineEdit*>(Focused());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "12345");
  // Room for every digit inside the 2 px frame and the line edit's own
  // margins (2 px a side), and the text starts inside it.
  const int text = editor->fontMetrics().horizontalAdvance(editor->text());
  EXPECT_GE(editor->width(), text + 2 * 2 + 2 * 2 + 2) << "editor " << editor->width() << " px, text " << text
                                                       << " px, at scale " << qgetenv("QT_SCALE_FACTOR").toStdString();
  EXPECT_GE(editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() - text, 2);
}

// The red command name and the red "Maradék" read at 4.5:1 at least, in a
// light and in a dark palette.
TEST_F(MainWindowTest, RedWordsStayReadableInLightAndDarkPalettes) {
  NumberedCharacter();
  auto* budget = Find<QLineEdit>(*window_, "EditTVPKeret");
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Tab);
  Type("1");
  Key(Qt::Key_Tab);
  budget->setFocus();
  QTest::keyClicks(budget, "1");  // over the budget: "Maradék" in red
  const QPalette before = QApplication::palette();
  for (const QColor window :
       {QColor(0xef, 0xef, 0xef), QColor(Qt::white), QColor(0x35, 0x35, 0x35), QColor(Qt::black)}) {
    QPalette palette = before;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, window.lightness() < 128 ? Qt::white : Qt::black);
    QApplication::setPalette(palette);
    QApplication::processEvents();
    QTest::keyClicks(budget, "0");  // Maradék again, in the new palette
    QTest::keyClick(budget, Qt::Key_Backspace);
    for (const char* name : {"LabelParancs", "LabelMaradek", "LabelD8"}) {
      const QString sheet = Find<QLabel>(*window_, name)->styleSheet();
      ASSERT_TRUE(sheet.startsWith("color: #")) << name << ": " << sheet.toStdString();
      const QColor colour(sheet.mid(7));
      EXPECT_GE(mv::ui::ContrastRatio(colour, window), mv::ui::kReadableContrast)
          << name << " " << colour.name().toStdString() << " on " << window.name().toStdString();
    }
  }
  QApplication::setPalette(before);
  // The ratio as the guidelines give it.
  EXPECT_NEAR(mv::ui::ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
  EXPECT_NEAR(mv::ui::ContrastRatio(Qt::red, Qt::white), 4.0, 0.01);
}

TEST_F(MainWindowTest, ThePopUpMenuOpensFromTheKeyboard) {
  auto* popup = Find<QMenu>(*window_, "PopupMenu1");
  for (const auto& [key, mods] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
    for (const bool editing : {false, true}) {
      SCOPED_TRACE(QKeySequence(key | mods).toString().toStdString() + (editing ? " in an editor" : ""));
      Go(2, 1);
      if (editing) Type("e");
      bool shown = false;
      QTimer::singleShot(50, [&] {
        shown = popup->isVisible();
        popup->close();
      });
      Key(key, mods);
      QTest::qWait(120);
      EXPECT_TRUE(shown);
    }
  }
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleName) {
  QList<QWidget*> roots{window_.get()};
  QStringList unnamed;
  for (QWidget* root : roots) {
    QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
      if (!mv::ui::IsControl(w) || mv::ui::IsPartOfAnother(w)) continue;
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
      if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << QString("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
    }
  }
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();

  // A question's buttons too, with an access key each.
  QMessageBox box(QMessageBox::Question, "x", "Az UL-ben 1 hiba van. Elküldöd így is?", QMessageBox::NoButton);
  box.addButton("Igen", QMessageBox::YesRole);
  box.addButton("Nem", QMessageBox::NoRole);
  box.addButton("Megnézem", QMessageBox::ActionRole);
  mv::ui::Dress(box);
  EXPECT_EQ(box.windowTitle(), QString("Vorlan MV UL készítő programja"));
  QStringList keys;
  for (QAbstractButton* b : box.buttons()) {
    EXPECT_TRUE(b->text().contains('&')) << b->text().toStdString();
    keys << b->text().section('&', 1).left(1).toLower();
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name).isEmpty());
  }
  keys.removeDuplicates();
  EXPECT_EQ(keys.size(), 3);
  box.show();
  EXPECT_GE(box.width(), box.fontMetrics().horizontalAdvance(box.windowTitle()));
}

TEST_F(MainWindowTest, TheColourFieldsOpenFromTheKeyboard) {
  auto* dialog = Find<mv::ui::OptionsDialog>(*window_, "TFormOptions");
  auto* colour = Find<QLabel>(*dialog, "LabelHatterSzin1");
  EXPECT_NE(colour->focusPolicy(), Qt::NoFocus);
  for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
    bool opened = false;
    QTimer::singleShot(50, [&] {
      if (auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
        opened = true;
        picker->reject();
      }
    });
    QTest::keyClick(colour, key);
    EXPECT_TRUE(opened) << key;
  }
}

TEST_F(MainWindowTest, TheWindowComesBackWhereItWasClosed) {
  window_->move(137, 91);
  QApplication::processEvents();
  const QPoint before = window_->frameGeometry().topLeft();
  for (int start = 0; start < 3; ++start) {
    window_->close();
    Restart();
    EXPECT_EQ(window_->frameGeometry().topLeft(), before) << "start " << start;
  }
}

TEST_F(MainWindowTest, TheGridFontDialogStartsFromTheGridsFont) {
  auto* options = Find<mv::ui::OptionsController>(*window_, "Beallitasok");
  QString family;
  for (const QString& f : QFontDatabase::families())
    if (QFontDatabase::styles(f).contains("Bold") && QFontDatabase::styles(f).contains("Regular")) family = f;
  if (family.isEmpty()) GTEST_SKIP() << "no font with a bold style here";
  QFont bold(family, 9);
  bold.setStyleName("Regular");  // as a stored font made bold keeps it
  bold.setBold(true);
  options->SetGridFont(bold);
  int shownWeight = 0;
  QTimer::singleShot(50, [&] {
    if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
      shownWeight = dialog->currentFont().weight();
      dialog->accept();
    }
  });
  Find<QAction>(*window_, "FontChange")->trigger();
  EXPECT_GE(shownWeight, int(QFont::DemiBold));
  EXPECT_TRUE(grid()->font().bold());  // OK without a change keeps it bold
}

TEST(HelpPlacementTest, HelpWindowsOpenBesideTheMainWindowAndNeverOverThePanel) {
  const QRect main(100, 50, 600, 450);
  const QRect panel(485, 130, 216, 232);  // the explanation panel, on the main window's right
  const QSize help(460, 380);
  const struct {
    const char* what;
    QRect screen;
    QRect at;
  } cases[] = {
      {"room on the right", {0, 0, 1600, 900}, {708, 50, 460, 380}},
      {"room on the left only", {-500, 0, 1300, 900}, {-368, 50, 460, 380}},
      {"no room either side: the side with more room", {0, 0, 800, 600}, {0, 50, 460, 380}},
      {"more room on the right, but that covers the panel: left of it, narrower",
       {60, 0, 1000, 600},
       {60, 50, 417, 380}},
      {"low on the screen: pulled up", {0, 0, 1600, 300}, {708, 0, 460, 380}},
      {"more room on the right, the panel in the way: left of the panel", {0, 0, 1024, 768}, {17, 50, 460, 380}},
  };
  for (const auto& c : cases) {
    const QRect at = mv::ui::HelpWindows::PlaceBeside(main, help, c.screen, panel);
    EXPECT_EQ(at, c.at) << c.what;
    EXPECT_FALSE(at.intersects(panel)) << c.what;
  }
}

TEST_F(MainWindowTest, ALongPotionListIsPagedAndEveryRecipeStaysReachable) {
  std::string potions;
  for (int i = 0; i < 5000; ++i) potions += "012 1 2 3\r\n";
  WriteFile("targyak.dat", "Targyak\r\n12 Kard\r\n");
  WriteFile("italok.dat", potions);
  Restart();
  auto* menu = Find<QMenu>(*window_, "varazs");
  ASSERT_LE(menu->actions().size(), 40);
  int reached = 0;
  std::function<void(QMenu*)> walk = [&](QMenu* m) {
    emit m->aboutToShow();
    for (QAction* a : m->actions()) {
      if (a->menu())
        walk(a->menu());
      else
        ++reached;
    }
  };
  walk(menu);
  EXPECT_EQ(reached, 5000);
  Go(1, 1);
  QMenu* page = menu->actions().first()->menu();
  while (page->actions().first()->menu()) page = page->actions().first()->menu();
  page->actions().first()->trigger();
  EXPECT_NE(Cell(1, 1), "");  // the click brews its potion
}

TEST_F(MainWindowTest, ARecoveryCopyThatCannotBeWrittenIsSaidOnceWithoutStoppingTheTyping) {
  NumberedCharacter();
  ::chmod(dir_.c_str(), 0555);
  Go(1, 1);
  Type("be");
  QTest::qWait(1300);
  QStatusBar* bar = window_->statusBar();
  const QString said = bar->currentMessage();
  bar->clearMessage();
  Type("e");
  QTest::qWait(1300);
  ::chmod(dir_.c_str(), 0755);
  EXPECT_TRUE(said.startsWith("Nem tudok helyreállítási másolatot írni: nincs írási jogom")) << said.toStdString();
  EXPECT_TRUE(bar->currentMessage().isEmpty());  // once a session
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, NotesTypedInTwoWindowsAreBothKept) {
  NumberedCharacter();
  auto* notes = Find<QPlainTextEdit>(*window_, "MemoJegyzet");
  notes->setPlainText("elso");
  QTest::qWait(1300);
  MainWindow second(dir_, {});
  Find<QPushButton>(second, "BitBtnKarLoad");  // the same character, loaded as at start
  second.findChild<mv::ui::CharacterController*>("Karakterek")->LoadCharacter("2345");
  auto* otherNotes = Find<QPlainTextEdit>(second, "MemoJegyzet");
  EXPECT_EQ(otherNotes->toPlainText(), QString("elso"));
  otherNotes->setPlainText("masodik ablak");
  ASSERT_TRUE(second.findChild<mv::ui::CharacterController*>("Karakterek")->SaveNotes());
  notes->setPlainText("elso ablak");
  const auto said = Press(QMessageBox::Ok);
  for (int i = 0; i < 50 && said->isEmpty(); ++i) QTest::qWait(40);
  ASSERT_FALSE(said->isEmpty());
  EXPECT_TRUE(said->at(0).startsWith("A jegyzetet közben máshol is módosították")) << said->at(0).toStdString();
  EXPECT_EQ(notes->toPlainText(), QString("masodik ablak"));
  EXPECT_EQ(Read("2345.jzt"), "masodik ablak\r\n");
  std::string kept;
  for (const auto& e : std::filesystem::directory_iterator(dir_))
    if (e.path().string().ends_with(".jzt.utkozes")) kept = Read(e.path().filename().string());
  EXPECT_EQ(kept, "elso ablak\r\n");
  second.document().SetModified(false);
}

TEST_F(MainWindowTest, ANotesFileTooLargeForTheMemoIsShownAsWhyAndLeftAlone) {
  NumberedCharacter();
  WriteFile("2345.jzt", std::string(2u << 20, 'x'));
  Find<mv::ui::CharacterController>(*window_, "Karakterek")->LoadCharacter("2345");
  auto* notes = Find<QPlainTextEdit>(*window_, "MemoJegyzet");
  EXPECT_TRUE(notes->isReadOnly());
  EXPECT_TRUE(notes->toPlainText().isEmpty());
  EXPECT_TRUE(notes->placeholderText().startsWith("A jegyzetfájl túl nagy")) << notes->placeholderText().toStdString();
  QTest::qWait(1200);
  EXPECT_EQ(std::filesystem::file_size(dir_ / "2345.jzt"), 2u << 20);
}

TEST_F(MainWindowTest, QtsOwnOptionsStartTheProgramAndHelpIsAnswered) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("MVUL_DIR", QString::fromStdString(dir_.string()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  for (const QStringList& arguments : {QStringList{"-style", "Fusion"}, QStringList{"-reverse"}}) {
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(MVUL_PATH, arguments);
    ASSERT_TRUE(program.waitForStarted(10000));
    // Still running after a while: the window is up, not refused.
    EXPECT_FALSE(program.waitForFinished(2500))
        << arguments.join(' ').toStdString() << ": " << program.readAllStandardError().toStdString();
    program.kill();
    program.waitForFinished(5000);
  }
  QProcess help;
  env.remove("DISPLAY");
  env.insert("QT_QPA_PLATFORM", "none-such");
  help.setProcessEnvironment(env);
  help.start(MVUL_PATH, {"--help"});
  ASSERT_TRUE(help.waitForFinished(10000));
  EXPECT_EQ(help.exitCode(), 0);
  EXPECT_TRUE(QString::fromUtf8(help.readAllStandardOutput()).contains("--uninstall"));

  // An option it does not know is refused in Hungarian; the version as command-line tools say it.
  QProcess bogus;
  env.insert("QT_QPA_PLATFORM", "offscreen");
  bogus.setProcessEnvironment(env);
  bogus.start(MVUL_PATH, {"--bogus"});
  ASSERT_TRUE(bogus.waitForFinished(10000));
  EXPECT_EQ(bogus.exitCode(), 2);
  const QString refusal = QString::fromUtf8(bogus.readAllStandardError());
  for (const char* english : {"Unknown option", "Usage:", "Options:"})
    EXPECT_FALSE(refusal.contains(english)) << refusal.toStdString();
  EXPECT_TRUE(refusal.contains("bogus")) << refusal.toStdString();
  QProcess version;
  version.setProcessEnvironment(env);
  version.start(MVUL_PATH, {"--version"});
  ASSERT_TRUE(version.waitForFinished(10000));
  EXPECT_EQ(QString::fromUtf8(version.readAllStandardOutput()), "mvul 2.3.14\n");
}

}  // namespace

namespace {

using namespace mvtest;

TEST_F(MainWindowTest, ACharacterEditWhileAnotherCopyHoldsMvIniIsSaidAndStaysOnScreen) {
  NumberedCharacter();
  const mv::FileLock other = mv::FileLock::Exclusive(dir_ / ".mv.ini.lock");  // another copy, stuck
  ASSERT_TRUE(other.held());
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Uj nev");
  const auto said = Press(QMessageBox::Ok);
  Find<QPushButton>(*window_, "BitBtnKarSave")->click();
  for (int i = 0; i < 50 && said->isEmpty(); ++i) QTest::qWait(20);
  ASSERT_FALSE(said->isEmpty());
  EXPECT_TRUE(said->at(0).startsWith("Az mv.ini-t most a program egy másik példánya használja"))
      << said->at(0).toStdString();
  EXPECT_EQ(Find<QLineEdit>(*window_, "EditKarNev")->text(), QString("Uj nev"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy cursor went with the wait
}

}  // namespace
