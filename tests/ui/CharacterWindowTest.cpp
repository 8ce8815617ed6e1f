// A sheet keeps its character: loading another character brings that
// character's sheet, "Ment" never writes over another character's file, and
// a turn gone back is said before the letter goes. Settings are written in
// one wait for mv.ini's lock.
#include <QComboBox>
#include <QInputDialog>

#include "store/SheetFile.h"
#include "tests/KeyringSession.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/OptionsController.h"
#include "ui/OptionsDialog.h"

namespace {

using namespace mvtest;

class CharacterWindowTest : public MainWindowTest {
 protected:
  void SaveSheet(const std::string& key, const std::string& turn, const mv::OrderRow& row) {
    mv::SheetContent sheet;
    sheet.fields.turn = turn;
    sheet.characterKey = key;
    sheet.sheet.SetRow(1, row);
    WriteFile(key + "-" + turn + ".ulf", mv::WriteSheet(sheet));
  }
  void Choose(const std::string& key) {
    auto* list = Find<QComboBox>(*window_, "ComboBoxKar");
    for (int i = 0; i < list->count(); ++i)
      if (list->itemText(i).endsWith(QString::fromStdString("(#" + key + ")"))) list->setCurrentIndex(i);
    Find<QPushButton>(*window_, "BitBtnKarLoad")->click();
  }
};

const mv::OrderRow kEnter{"be", {"1", "", "", "", "", ""}, "5", "0"};
const mv::OrderRow kFood{"e", {}, "0", "0"};

TEST_F(CharacterWindowTest, LoadingACharacterBringsItsOwnSheetAndNeverRebindsTheOneShown) {
  NumberedCharacter("2345");
  NumberedCharacter("2347");
  SaveSheet("2347", "12", kEnter);
  SaveSheet("2345", "11", kFood);
  SaveSheet("2345", "12", kFood);
  window_->OpenSheetFile(QString::fromStdString((dir_ / "2347-12.ulf").string()));
  ASSERT_EQ(window_->character().shown().key, "2347");

  // Unmodified: 2345's current sheet takes its place without a question.
  Choose("2345");
  EXPECT_EQ(window_->character().shown().key, "2345");
  EXPECT_EQ(window_->document().fileName(), (dir_ / "2345-12.ulf").string());
  EXPECT_EQ(window_->document().sheet().Cell(1, mv::col::kCode), "e");

  // Modified: the one rule asks first; "Mégse" leaves everything as it was.
  window_->document().SetCell(2, mv::col::kCode, "be");
  window_->document().SetModified(true);
  auto asked = AnswerOnce(window_.get(), QMessageBox::Cancel);
  Choose("2347");
  EXPECT_EQ(*asked, QString("Elmented a változásokat?"));
  EXPECT_EQ(window_->character().shown().key, "2345");
  EXPECT_EQ(window_->document().sheet().Cell(2, mv::col::kCode), "be");
  // "Nem": 2347's sheet, and 2345's file as it was.
  asked = AnswerOnce(window_.get(), QMessageBox::No);
  Choose("2347");
  EXPECT_EQ(window_->character().shown().key, "2347");
  EXPECT_EQ(window_->document().fileName(), (dir_ / "2347-12.ulf").string());
  EXPECT_EQ(Read("2345-12.ulf").find("be,"), std::string::npos);

  // A character without a sheet: an empty sheet for it.
  NumberedCharacter("2348");
  Choose("2347");
  Choose("2348");
  EXPECT_EQ(window_->character().shown().key, "2348");
  EXPECT_EQ(window_->document().fileName(), "");
  EXPECT_EQ(window_->document().sheet().Cell(1, mv::col::kCode), "");
}

// However a sheet came under another character's number, "Ment" does not
// write over a file that holds another character's key.
TEST_F(CharacterWindowTest, MentNeverWritesOverAnotherCharactersFile) {
  NumberedCharacter("2345");
  SaveSheet("2347", "12", kEnter);
  const std::string before = Read("2347-12.ulf");
  window_->document().SetFileName((dir_ / "2347-12.ulf").string());  // the sheet shown is 2345's
  window_->document().SetModified(true);
  bool askedWhere = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      askedWhere = true;
      dialog->reject();  // "Ment másként", cancelled
    }
  });
  watch.start(20);
  Find<QAction>(*window_, "SaveUL")->trigger();
  EXPECT_TRUE(askedWhere);
  EXPECT_EQ(Read("2347-12.ulf"), before);
}

TEST_F(CharacterWindowTest, ATurnGoneBackIsSaidByTheCheckAndBeforeTheLetterGoes) {
  NumberedCharacter("2345");
  SaveSheet("2345", "12", kEnter);
  Find<QAction>(*window_, "NewUL")->trigger();  // turn 1
  window_->document().SetCell(1, mv::col::kCode, "e");
  bool warned = false;
  for (const mv::SheetProblem& p : CheckOf(*window_))
    warned |= p.asksBeforeSending && mv::cp1250::ToUtf8(p.text) ==
                                         "Ez az UL az 1. fordulóra szól, de ennek a karakternek már van 12. fordulós "
                                         "UL-je.";
  EXPECT_TRUE(warned);
  const auto said = Press(QMessageBox::No);
  Find<QAction>(*window_, "ULCopyClipBoard")->trigger();
  ASSERT_FALSE(said->isEmpty());
  EXPECT_TRUE(said->first().startsWith(QString::fromUtf8("Ez az UL az 1. fordulóra szól")))
      << said->first().toStdString();
  EXPECT_TRUE(said->first().endsWith(QString::fromUtf8("Kimásolod így is?")));
}

// One OK, one write: another copy holding mv.ini's lock costs its wait once.
TEST_F(CharacterWindowTest, SettingsOkWaitsForMvIniOnceAndSaysSoOnce) {
  const mv::FileLock other = mv::FileLock::Exclusive(dir_ / ".mv.ini.lock");
  ASSERT_TRUE(other.held());
  auto* options = Find<mv::ui::OptionsController>(*window_, "Beallitasok");
  auto values = options->CurrentOptions();
  values.smtp.server = "smtp.pelda.hu";
  values.smtp.user = "jatekos";
  values.smtp.password = "titok";
  const auto said = Press(QMessageBox::Ok);
  const auto start = std::chrono::steady_clock::now();
  options->TakeOptions(values);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 7.0);
  EXPECT_EQ(said->size(), 1);
}

// With a keyring answering and no password kept yet, the page says where a
// typed one will go, not that it is in mv.ini.
class KeyringWindowTest : public CharacterWindowTest {
 protected:
  void SetUp() override {
    if (!KeyringSession::Get().ok()) GTEST_SKIP() << "no gnome-keyring";
    keepBus_ = true;
    CharacterWindowTest::SetUp();
  }
};

TEST_F(KeyringWindowTest, TheEmailPageSaysWhereANewPasswordWillGo) {
  QString said;
  WhenShown("TFormOptions", [&](QWidget* dialog) {
    said = dialog->findChild<QLabel*>("LabelJelszoHelye")->text();
    static_cast<QDialog*>(dialog)->reject();
  });
  Find<mv::ui::OptionsController>(*window_, "Beallitasok")->OpenOptions();
  EXPECT_EQ(said, QString::fromUtf8("A jelszó mentéskor a rendszer kulcstartójába kerül.")) << said.toStdString();
}

}  // namespace
