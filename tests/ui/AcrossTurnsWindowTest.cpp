// Across the turns in the window: "Mi változott?" against the turn before
// and against the letter, the search of every sheet, blocks of orders, and
// Ctrl+N through the board.
#include <QComboBox>
#include <QInputDialog>
#include <QTreeWidget>

#include "core/CharacterFields.h"
#include "letter/OrderLetter.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/DiffWindow.h"
#include "ui/SearchWindow.h"
#include "ui/TemplateActions.h"
#include "ui/TurnBoard.h"

namespace {

using namespace mvtest;

const mv::OrderRow kEnter{"be", {"1", "", "", "", "", ""}, "5", "0"};
const mv::OrderRow kFood{"e", {}, "0", "0"};
const mv::OrderRow kSell{"ea", {"12", "", "", "", "", ""}, "0", "0"};

class AcrossTurnsTest : public MainWindowTest {
 protected:
  void Save(const std::string& key, const std::string& turn, std::vector<mv::OrderRow> rows, bool sent = false) {
    mv::SheetContent sheet;
    sheet.fields.turn = turn;
    sheet.characterKey = key;
    for (std::size_t i = 0; i < rows.size(); ++i) sheet.sheet.SetRow(int(i) + 1, rows[i]);
    WriteFile(key + "-" + turn + ".ulf", mv::WriteSheet(sheet));
    if (!sent) return;
    mv::CharacterFields character;
    character.number = key;
    mv::ArchiveSentLetter(dir_, key, turn, mv::OrderLetterText(sheet.sheet, sheet.fields, character),
                          std::time(nullptr));
  }
  static QStringList Column(const QTreeWidget* tree, int column) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(column);
    return texts;
  }
  void Shoot(QWidget* w, const char* name) {
    std::filesystem::create_directories(ARTEFACT_DIR);
    w->grab().save(QString(ARTEFACT_DIR) + "/" + name);
  }
};

TEST_F(AcrossTurnsTest, F7ComparesWithTheLetterThatWentAndWithTheTurnBefore) {
  NumberedCharacter("2345");
  Save("2345", "4", {kSell, kEnter});
  Save("2345", "5", {kEnter}, true);
  window_->document().SetModified(false);
  window_->OpenSheetFile(QString::fromStdString((dir_ / "2345-5.ulf").string()));
  // Typed after the letter went: a row above the sent one.
  window_->document().EditSheet([](mv::OrderSheet& s) {
    s.SetRow(2, s.Row(1));
    s.SetRow(1, kFood);
  });
  Find<QAction>(*window_, "DiffUL")->trigger();
  auto* diff = Find<mv::ui::DiffWindow>(*window_, "TFormValtozas");
  ASSERT_TRUE(diff->isVisible());
  EXPECT_EQ(diff->against()->currentIndex(), 1);  // a letter went for this turn: against it
  EXPECT_EQ(Column(diff->rows(), 0), (QStringList{QString::fromUtf8("új sor"), "ugyanaz"}));
  EXPECT_EQ(diff->rows()->topLevelItem(0)->text(3), "01. e");
  EXPECT_EQ(diff->rows()->topLevelItem(0)->text(4), QString::fromUtf8("Élelemszerzés"));
  EXPECT_TRUE(diff->summary().contains(QString::fromUtf8("Össz TVP: 5 → 35 (+30)"))) << diff->summary().toStdString();
  Shoot(diff, "mi-valtozott.png");

  diff->against()->setCurrentIndex(0);
  EXPECT_TRUE(diff->summary().contains("2345-4.ulf")) << diff->summary().toStdString();
  EXPECT_TRUE(diff->summary().contains(QString::fromUtf8("Eltérő adatok: forduló"))) << diff->summary().toStdString();
  EXPECT_TRUE(Column(diff->rows(), 0).contains(QString::fromUtf8("törölve")));
  // A double-click goes to the row in the sheet.
  emit diff->rows()->itemActivated(diff->rows()->topLevelItem(0), 0);
  EXPECT_EQ(window_->view().row(), 1);
  diff->close();
}

TEST_F(AcrossTurnsTest, TheBoardOffersWhatChangedOnASheetChangedSinceItWent) {
  NumberedCharacter("2345");
  Save("2345", "5", {kEnter}, true);
  Save("2345", "5", {kEnter, kFood});
  window_->document().SetModified(false);
  Find<QAction>(*window_, "TurnBoardUL")->trigger();
  auto* board = Find<mv::ui::TurnBoard>(*window_, "FordulokAttekintese");
  for (int i = 0; i < 500 && (board->looking() || i < 2); ++i) QTest::qWait(10);
  auto* changed = Find<QPushButton>(*board, "MiValtozott");
  board->table()->setCurrentCell(0, 0);
  ASSERT_TRUE(changed->isEnabled());
  changed->click();
  auto* diff = Find<mv::ui::DiffWindow>(*window_, "TFormValtozas");
  ASSERT_TRUE(diff->isVisible());
  EXPECT_EQ(diff->against()->currentIndex(), 1);
  EXPECT_EQ(Column(diff->rows(), 0), (QStringList{"ugyanaz", QString::fromUtf8("új sor")}));
  diff->close();
  board->close();
}

TEST_F(AcrossTurnsTest, TheSearchFindsEveryTurnAndOpensTheSheetAtTheRow) {
  NumberedCharacter("2345");
  Save("2345", "4", {kFood, kEnter});
  Save("2345", "5", {kEnter});
  window_->document().SetModified(false);
  Find<QAction>(*window_, "SearchUL")->trigger();
  auto* search = Find<mv::ui::SearchWindow>(*window_, "TFormKereses");
  ASSERT_TRUE(search->isVisible());
  search->text()->setText("BE");
  search->Search();
  EXPECT_EQ(Column(search->results(), 1), (QStringList{"4", "5"}));
  EXPECT_EQ(Column(search->results(), 2), (QStringList{"02.", "01."}));
  EXPECT_EQ(search->results()->topLevelItem(0)->text(0), "Kardos (#2345)");
  EXPECT_EQ(search->said(), QString::fromUtf8("2 találat."));
  Shoot(search, "kereses.png");
  emit search->results()->itemActivated(search->results()->topLevelItem(0), 0);
  EXPECT_EQ(window_->document().fileName(), (dir_ / "2345-4.ulf").string());
  EXPECT_EQ(window_->view().row(), 2);
  search->text()->setText("   ");
  search->Search();
  EXPECT_EQ(search->results()->topLevelItemCount(), 0);
  search->text()->setText("zzz");
  search->Search();
  EXPECT_EQ(search->said(), QString::fromUtf8("Nincs találat."));
  search->close();
}

TEST_F(AcrossTurnsTest, ABlockIsSavedFromTheSelectionAndInsertedAsOneStep) {
  NumberedCharacter("2345");
  window_->document().EditSheet([](mv::OrderSheet& s) {
    s.SetRow(1, kEnter);
    s.SetRow(2, kSell);
    s.SetRow(3, kFood);
  });
  window_->document().RecordChange();
  grid()->selectionModel()->select(QItemSelection(grid()->model()->index(0, 1), grid()->model()->index(1, 3)),
                                   QItemSelectionModel::ClearAndSelect);
  WhenShown("InputSablonNev", [](QWidget* w) {
    auto* ask = static_cast<QInputDialog*>(w);
    ask->setTextValue(QString::fromUtf8("Bolt és vissza"));
    ask->accept();
  });
  Find<QAction>(*window_, "SaveTemplate")->trigger();
  EXPECT_EQ(Read("sablonok/" + std::string("Bolt \xC3\xA9s vissza.uls")), "be,1,,,,,,5,0\r\nea,12,,,,,,0,0\r\n");

  Go(3, 1);  // going there interprets the row: its cost is part of the sheet before
  const mv::OrderSheet before = window_->document().sheet();
  WhenShown("TFormSablonok", [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  Find<QAction>(*window_, "InsertTemplate")->trigger();
  EXPECT_EQ(Cell(3, 1), "be");
  EXPECT_EQ(Cell(4, 1), "ea");
  EXPECT_EQ(Cell(5, 1), "e");
  Find<QAction>(*window_, "Undo")->trigger();
  EXPECT_EQ(window_->document().sheet(), before);

  // Past row 20 nothing goes, and the player is told how much room is left.
  window_->document().EditSheet([](mv::OrderSheet& s) {
    for (int r = 1; r <= 19; ++r) s.SetRow(r, kFood);
  });
  window_->document().RecordChange();
  Go(5, 1);
  const mv::OrderSheet full = window_->document().sheet();
  WhenShown("TFormSablonok", [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  QString* said = AnswerNextDialog();
  Find<QAction>(*window_, "InsertTemplate")->trigger();
  EXPECT_TRUE(said->contains(QString::fromUtf8("2 sorból áll, de innen lefelé csak 1 sor szabad")))
      << said->toStdString();
  EXPECT_EQ(window_->document().sheet(), full);
}

TEST_F(AcrossTurnsTest, CtrlNVisitsTheSheetsThatNeedThePlayerInBoardOrder) {
  NumberedCharacter("2345");
  NumberedCharacter("2346");
  NumberedCharacter("2347");
  Save("2345", "7", {kFood});                  // ready
  Save("2346", "7", {{"xyz", {}, "0", "0"}});  // errors
  Save("2347", "6", {kEnter}, true);           // sent, the others a turn further: turn 7 is due
  window_->document().SetModified(false);
  auto* next = Find<QAction>(*window_, "NextNeededUL");
  next->trigger();
  EXPECT_EQ(window_->document().fileName(), (dir_ / "2346-7.ulf").string());
  next->trigger();
  EXPECT_EQ(window_->character().shown().key, "2347");
  EXPECT_EQ(window_->document().fields().turn, "7");
  window_->document().EditSheet([](mv::OrderSheet& s) { s.SetRow(1, kFood); });  // not the turn before's orders
  ASSERT_FALSE(mv::SaveSheet(window_->document(), "2347", dir_ / "2347-7.ulf").failed());
  Save("2346", "7", {kFood});
  window_->document().SetModified(false);
  QString* said = AnswerNextDialog();
  next->trigger();
  EXPECT_EQ(*said, QString::fromUtf8("Minden UL elküldve vagy küldhető."));
  Find<QAction>(*window_, "TurnBoardUL")->trigger();
  auto* board = Find<mv::ui::TurnBoard>(*window_, "FordulokAttekintese");
  for (int i = 0; i < 500 && (board->looking() || i < 2); ++i) QTest::qWait(10);
  EXPECT_EQ(Find<QLabel>(*board, "MindenKesz")->text(), QString::fromUtf8("Minden UL elküldve vagy küldhető."));
  board->close();
}

}  // namespace
