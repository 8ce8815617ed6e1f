// The whole turn in the window: the board's cells, opening a sheet and
// making the next turn from it, the menu's next turn written as mvulc's,
// "Maradék", and "Összes elküldése".
#include <QDialogButtonBox>
#include <QListWidget>
#include <QTableWidget>

#include "core/CharacterFields.h"
#include "letter/OrderLetter.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/TurnBoard.h"

namespace {

using namespace mvtest;

std::string RunMvulc(const std::string& args) {
  FILE* pipe = ::popen((std::string(MVULC_PATH) + " " + args + " 2>/dev/null").c_str(), "r");
  std::string out;
  char buf[512];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  ::pclose(pipe);
  return out;
}

class TurnBoardTest : public MainWindowTest {
 protected:
  mv::SheetContent SheetOf(const std::string& key, const std::string& turn, const mv::OrderRow& row) {
    mv::SheetContent sheet;
    sheet.fields.turn = turn;
    sheet.characterKey = key;
    sheet.sheet.SetRow(1, row);
    return sheet;
  }
  void Save(const mv::SheetContent& sheet) {
    WriteFile(sheet.characterKey + "-" + sheet.fields.turn + ".ulf", mv::WriteSheet(sheet));
  }
  void Kept(const mv::SheetContent& sheet, bool unconfirmed = false) {
    mv::CharacterFields character;
    character.number = sheet.characterKey;
    mv::ArchiveSentLetter(dir_, sheet.characterKey, sheet.fields.turn,
                          mv::OrderLetterText(sheet.sheet, sheet.fields, character), std::time(nullptr), unconfirmed);
  }
  mv::ui::TurnBoard* OpenBoard() {
    Find<QAction>(*window_, "TurnBoardUL")->trigger();
    auto* board = Find<mv::ui::TurnBoard>(*window_, "FordulokAttekintese");
    Settle(board);
    return board;
  }
  // The board looks at the files off the window's thread: until it is done.
  static void Settle(mv::ui::TurnBoard* board) {
    for (int i = 0; board && (board->looking() || i < 2) && i < 1000; ++i) {
      QApplication::processEvents();
      QTest::qWait(10);
    }
    ASSERT_FALSE(board->looking());
  }
  static QString CellOf(mv::ui::TurnBoard* board, int row, int column) {
    const QTableWidgetItem* item = board->table()->item(row, column);
    return item ? item->text() : QString();
  }
};

const mv::OrderRow kEnter{"be", {"1", "", "", "", "", ""}, "5", "0"};
const mv::OrderRow kFood{"e", {}, "0", "0"};
const mv::OrderRow kUnknown{"xyz", {}, "0", "0"};

TEST_F(TurnBoardTest, TheBoardShowsEveryStateOpensASheetAndMakesTheNextTurn) {
  NumberedCharacter("2345");
  NumberedCharacter("2346");
  NumberedCharacter("2347");  // no sheets: "nincs UL"
  // 2345: every state a sheet of a character can be in, one turn each.
  Save(SheetOf("2345", "2", kUnknown));  // errors
  Save(SheetOf("2345", "3", kEnter));    // uncertain
  Kept(SheetOf("2345", "3", kEnter), true);
  Save(SheetOf("2345", "4", kFood));  // changed
  Kept(SheetOf("2345", "4", kEnter));
  Save(SheetOf("2345", "5", kEnter));  // sent
  Kept(SheetOf("2345", "5", kEnter));
  Save(SheetOf("2345", "6", kEnter));             // review: as turn 5
  Save(SheetOf("2345", "7", kFood));              // ready
  WriteFile("2346-9.ulf", "9\r\nx\r\n2346\r\n");  // broken
  window_->document().SetModified(false);

  mv::ui::TurnBoard* board = OpenBoard();
  ASSERT_NE(board, nullptr);
  ASSERT_TRUE(board->isVisible());
  ASSERT_EQ(board->table()->rowCount(), 3);
  // Older turns never sent are history, greyed.
  const std::pair<int, const char*> row2345[] = {{0, "7. forduló\nküldhető"},
                                                 {1, "6. forduló\nnem küldted el"},
                                                 {2, "5. forduló\nelküldve "},
                                                 {3, "4. forduló\nküldés óta módosult"},
                                                 {4, "3. forduló\nlehet, hogy megérkezett"},
                                                 {5, "2. forduló\nnem küldted el, 1 hiba"}};
  for (const auto& [column, text] : row2345)
    EXPECT_TRUE(CellOf(board, 0, column).startsWith(QString::fromUtf8(text))) << CellOf(board, 0, column).toStdString();
  EXPECT_TRUE(CellOf(board, 0, 0).contains("\nTVP ")) << CellOf(board, 0, 0).toStdString();
  EXPECT_EQ(board->table()->item(0, 1)->foreground().color(),
            board->palette().color(QPalette::Disabled, QPalette::Text));
  EXPECT_TRUE(CellOf(board, 1, 0).startsWith("9. forduló\nhibás fájl"));
  EXPECT_EQ(CellOf(board, 2, 0), "nincs UL");
  std::filesystem::create_directories(ARTEFACT_DIR);
  board->grab().save(QString(ARTEFACT_DIR) + "/fordulok.png");

  // Enter opens the cell's sheet in the window.
  board->table()->setCurrentCell(0, 1);
  board->table()->setFocus();
  QTest::keyClick(board->table(), Qt::Key_Return);
  EXPECT_EQ(window_->document().fileName(), (dir_ / "2345-6.ulf").string());

  // The next turn is made on the current sheet's cell only.
  auto* next = Find<QPushButton>(*board, "KovetkezoFordulo");
  EXPECT_FALSE(next->isEnabled());
  board->table()->setCurrentCell(0, 0);
  ASSERT_TRUE(next->isEnabled());
  // What mvulc's next writes for the same sheet, elsewhere.
  std::filesystem::create_directories(dir_ / "masolat");
  std::filesystem::copy_file(dir_ / "2345-7.ulf", dir_ / "masolat" / "2345-7.ulf");
  RunMvulc("next --dir " + dir_.string() + " " + (dir_ / "masolat" / "2345-7.ulf").string());
  next->click();
  EXPECT_EQ(window_->document().fields().turn, "8");
  EXPECT_TRUE(window_->document().modified());
  EXPECT_EQ(window_->document().fileName(), "");
  EXPECT_EQ(Panel(), QString::fromUtf8("Élelemszerzés"));
  ASSERT_FALSE(mv::SaveSheet(window_->document(), window_->character().shown().key, dir_ / "2345-8.ulf").failed());
  EXPECT_EQ(Read("2345-8.ulf"), Read("masolat/2345-8.ulf"));  // the menu item and "Ment" write mvulc's bytes

  // The board followed the save.
  Settle(board);
  EXPECT_TRUE(CellOf(board, 0, 0).startsWith(QString::fromUtf8("8. forduló\nátnézendő")))
      << CellOf(board, 0, 0).toStdString();
  // A sheet of the next turn that is there already is offered, not overwritten.
  const auto asked = AnswerOnce(window_.get(), QMessageBox::No);
  Find<QAction>(*window_, "NewUL")->trigger();
  window_->document().EditFields([](mv::SheetFields& f) { f.turn = "7"; });
  Find<QAction>(*window_, "NextTurnUL")->trigger();
  EXPECT_TRUE(asked->startsWith(QString::fromUtf8("Már van UL a(z) 8. fordulóra"))) << asked->toStdString();
  EXPECT_EQ(window_->document().fields().turn, "7");
  window_->document().EditFields([](mv::SheetFields& f) { f.turn = "x"; });
  EXPECT_FALSE(Find<QAction>(*window_, "NextTurnUL")->isEnabled());
  board->close();
}

TEST_F(TurnBoardTest, TheBudgetShowsWhatIsLeftAndIsKeptForTheCharacterAndTurn) {
  NumberedCharacter("2345");
  auto* budget = Find<QLineEdit>(*window_, "EditTVPKeret");
  auto* left = Find<QLabel>(*window_, "LabelMaradek");
  ASSERT_TRUE(budget->isEnabled());
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Tab);
  Type("1");
  Key(Qt::Key_Tab);
  budget->setFocus();
  QTest::keyClicks(budget, "3");
  QTest::keyClick(budget, Qt::Key_Tab);  // leaving the field saves it
  EXPECT_EQ(left->text(), QString::fromUtf8("Maradék: -2"));
  EXPECT_NE(left->styleSheet().indexOf("color: #"), -1);  // red, as red as the palette lets it be read
  EXPECT_EQ(mv::CountErrors(CheckOf(*window_)), 1);       // over the budget: the check before sending says so
  mv::IniFile ini(dir_ / "mv.ini");
  EXPECT_EQ(mv::SheetBudget(ini, "2345", "1"), 3);

  // Another turn has none; the same character and turn brings it back.
  window_->document().EditFields([](mv::SheetFields& f) { f.turn = "2"; });
  EXPECT_EQ(budget->text(), "");
  EXPECT_EQ(left->text(), "");
  window_->document().EditFields([](mv::SheetFields& f) { f.turn = "1"; });
  EXPECT_EQ(budget->text(), "3");
  // A new character has no budget, and cannot have one until stored.
  Find<QPushButton>(*window_, "BitBtnKarNew")->click();
  EXPECT_EQ(budget->text(), "");
  EXPECT_FALSE(budget->isEnabled());
}

TEST_F(TurnBoardTest, SendAllSendsTheTickedSheetsTogetherAndSaysWhatWent) {
  SmtpSink sink;
  ASSERT_GT(sink.port(), 0);
  NumberedCharacter("2345");
  NumberedCharacter("2346");
  WriteFile("mv.ini", Read("mv.ini") + "[SMTP]\r\nKiszolgalo=127.0.0.1\r\nPort=" + std::to_string(sink.port()) +
                          "\r\nTitkositas=Nincs\r\nFelado=jatekos@localhost\r\nMasolat=0\r\n[ULKuldes]\r\n"
                          "E-mail=ul@localhost\r\n");
  Save(SheetOf("2345", "3", kFood));
  Save(SheetOf("2346", "3", kUnknown));  // an error: not sent
  window_->document().SetModified(false);
  mv::ui::TurnBoard* board = OpenBoard();
  ASSERT_NE(board, nullptr);

  QString report;
  WhenShown("OsszesKuldese", [](QWidget* dialog) {
    auto* list = dialog->findChild<QListWidget*>("OsszesKuldeseLista");
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_FALSE(list->item(1)->flags() & Qt::ItemIsUserCheckable);
    dialog->findChild<QPushButton*>("Kuldes")->click();
  });
  const auto said = Press(QMessageBox::Ok);
  Find<QPushButton>(*board, "OsszesElkuldese")->click();
  for (int i = 0; said->isEmpty() && i < 1000; ++i) QTest::qWait(10);  // after a fresh look at the files
  ASSERT_EQ(said->size(), 1);
  EXPECT_TRUE(said->first().contains("(#2345): elküldve")) << said->first().toStdString();
  EXPECT_TRUE(said->first().contains("(#2346): nem ment el: 1 hiba")) << said->first().toStdString();
  EXPECT_EQ(sink.Received(), 1);
  Settle(board);
  EXPECT_TRUE(CellOf(board, 0, 0).startsWith(QString::fromUtf8("3. forduló\nelküldve")))
      << CellOf(board, 0, 0).toStdString();
  board->close();
}

// What cannot be read is said once, and is no invitation to send; the
// look goes on off the window's thread and says so meanwhile.
TEST_F(TurnBoardTest, KeptLettersThatCannotBeReadAreSaidOnceAndOfferedUnticked) {
  NumberedCharacter("2345");
  NumberedCharacter("2346");
  Save(SheetOf("2345", "3", kFood));
  Save(SheetOf("2346", "3", kEnter));
  WriteFile("elkuldve", "no folder");
  window_->document().SetModified(false);
  Find<QAction>(*window_, "TurnBoardUL")->trigger();
  auto* board = Find<mv::ui::TurnBoard>(*window_, "FordulokAttekintese");
  EXPECT_TRUE(board->looking());
  EXPECT_EQ(Find<QLabel>(*board, "Kereses")->text(), QString::fromUtf8("Keresem az UL-eket…"));
  Settle(board);
  EXPECT_EQ(Find<QLabel>(*board, "Kereses")->text(), "");
  EXPECT_TRUE(CellOf(board, 0, 0).startsWith(QString::fromUtf8("3. forduló\nnem tudom, elment-e")))
      << CellOf(board, 0, 0).toStdString();
  const QString below = Find<QLabel>(*board, "HibasFajlok")->text();
  EXPECT_EQ(below.count("elkuldve"), 1) << below.toStdString();
  EXPECT_TRUE(below.startsWith(QString::fromUtf8("Az elküldött levelek mappája ("))) << below.toStdString();

  WhenShown("OsszesKuldese", [](QWidget* dialog) {
    auto* list = dialog->findChild<QListWidget*>("OsszesKuldeseLista");
    for (int i = 0; i < 2; ++i) {
      EXPECT_TRUE(list->item(i)->flags() & Qt::ItemIsUserCheckable);
      EXPECT_EQ(list->item(i)->checkState(), Qt::Unchecked);
      EXPECT_TRUE(
          list->item(i)->text().contains(QString::fromUtf8("nem tudom, elment-e: az elküldött levelek mappája")))
          << list->item(i)->text().toStdString();
    }
    dialog->findChild<QPushButton*>("Kuldes")->click();  // none ticked: nothing goes
  });
  Find<QPushButton>(*board, "OsszesElkuldese")->click();
  Settle(board);
  QTest::qWait(100);
  board->close();
}

}  // namespace
