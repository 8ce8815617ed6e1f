// The real main window driven by simulated keys under the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "core/Cp1250.h"
#include "ui/MainWindow.h"

namespace {

using mv::ui::MainWindow;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("mvul-ui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    window_ = std::make_unique<MainWindow>(dir_, QStringList{});
    window_->show();
    window_->tabs()->setCurrentWidget(window_->orderTab());
    QApplication::processEvents();
  }
  void TearDown() override {
    window_->model().sheetModified = false;
    window_.reset();
    std::filesystem::remove_all(dir_);
  }
  mv::ui::OrderGrid* grid() { return window_->orderTab()->grid(); }
  void Go(int row, int column) {
    grid()->setCurrentIndex(grid()->model()->index(row - 1, column));
    grid()->setFocus();
    QApplication::processEvents();
  }
  QWidget* Focused() { return QApplication::focusWidget(); }
  // Each key goes where the keyboard focus is at that moment, as a player's would.
  void Type(const QString& text) {
    for (const QChar ch : text) QTest::keyClick(Focused(), ch.toLatin1());
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Focused(), key, mods); }
  std::string Cell(int row, int column) { return window_->model().sheet.Cell(row, column); }
  QString Panel() { return window_->orderTab()->commandLabel()->text(); }

  std::filesystem::path dir_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, StartsWithCaptionTabsAndAZeroedSheet) {
  EXPECT_EQ(window_->windowTitle(), QString("Vorlan Morvald UL készítő programja 2.3.14"));
  const QStringList expected{"Adatok", "Utasítás Lap", "Jegyzetek", "Listák", "Rejtvények", "LV rejtvények",
                             "Formázók"};
  ASSERT_EQ(window_->tabs()->count(), expected.size());
  for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(window_->tabs()->tabText(i), expected[i]);
  EXPECT_EQ(window_->orderTab()->size(), window_->tabs()->currentWidget()->size());
  EXPECT_EQ(window_->centralWidget()->size(), QSize(608, 421));
  for (int r = 1; r <= 20; ++r) {
    EXPECT_EQ(grid()->model()->index(r - 1, 0).data().toString(), QString("%1.").arg(r, 2, 10, QChar('0')));
    EXPECT_EQ(Cell(r, 8), "0");
    EXPECT_EQ(Cell(r, 9), "0");
  }
  EXPECT_EQ(window_->orderTab()->checkNumberLabel()->text(), "0");
  EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), "Sor");
}

TEST_F(MainWindowTest, TypingAnUnknownCodeShowsItIsUnknown) {
  Go(1, 1);
  Type("xyz");
  EXPECT_EQ(Cell(1, 1), "xyz");
  EXPECT_EQ(Panel(), QString("Ismeretlen parancs"));
  EXPECT_TRUE(window_->model().sheetModified);
}

TEST_F(MainWindowTest, CodeColumnTakesLettersOnlyInLowerCase) {
  Go(2, 1);
  Type("A1-b");
  EXPECT_EQ(Cell(2, 1), "ab");
}

TEST_F(MainWindowTest, ParameterColumnsTakeFiveDigitsAtMost) {
  Go(1, 2);
  Type("12a345678");
  EXPECT_EQ(Cell(1, 2), "12345");
}

TEST_F(MainWindowTest, CompletionProposesTheFirstMatchingCodeWithTheRestSelected) {
  grid()->SetCompletion(true);
  Go(1, 1);
  Type("bs");
  auto* edit = qobject_cast<QLineEdit*>(Focused());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QString("bsz"));
  EXPECT_EQ(edit->selectedText(), QString("z"));
  Type("a");  // replaces the proposal; no code begins with "BSA"
  EXPECT_EQ(edit->text(), QString("bsa"));
  EXPECT_EQ(Cell(1, 1), "bsa");
}

TEST_F(MainWindowTest, KeypadPlusCountsUpFromAnEmptyParameter) {
  Go(1, 3);
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(Cell(1, 3), "0");
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(Cell(1, 3), "1");
}

TEST_F(MainWindowTest, ShiftDeleteShiftsTheParametersLeft) {
  for (int k = 1; k <= 6; ++k) window_->model().sheet.Cell(1, k + 1) = std::to_string(k);
  grid()->RefreshFromModel();
  Go(1, 3);
  Key(Qt::Key_Delete, Qt::ShiftModifier);
  const std::vector<std::string> after{"1", "3", "4", "5", "6", ""};
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(Cell(1, k + 1), after[std::size_t(k - 1)]) << k;
}

TEST_F(MainWindowTest, ArrowKeysDoNotMarkTheSheet) {
  Go(3, 2);
  Key(Qt::Key_Down);
  EXPECT_FALSE(window_->model().sheetModified);
  EXPECT_EQ(window_->model().currentRow, 4);
  Key(Qt::Key_Tab);
  EXPECT_TRUE(window_->model().sheetModified);
}

TEST_F(MainWindowTest, MovingARowUpInterpretsTheNewCurrentRow) {
  window_->model().sheet.Cell(3, 1) = "xyz";
  grid()->RefreshFromModel();
  Go(3, 1);
  window_->MoveRowUp();
  EXPECT_EQ(Cell(2, 1), "xyz");
  EXPECT_EQ(window_->model().currentRow, 2);
  EXPECT_EQ(Panel(), QString("Ismeretlen parancs"));
  EXPECT_TRUE(window_->model().sheetModified);
}

TEST_F(MainWindowTest, PickerInsertsTheChosenCommandAsANewRow) {
  window_->model().sheet.Cell(3, 1) = "xyz";
  Go(3, 1);
  window_->picker()->list()->setCurrentRow(0);
  QTimer::singleShot(0, [this] { window_->picker()->accept(); });
  window_->NewCommand();
  EXPECT_EQ(Cell(3, 1), "a");
  EXPECT_EQ(Cell(4, 1), "xyz");
  EXPECT_FALSE(Panel().isEmpty());
  EXPECT_NE(Panel(), QString("Ismeretlen parancs"));
}

TEST_F(MainWindowTest, PickerDoesNothingOutsideTheOrderTab) {
  window_->tabs()->setCurrentWidget(window_->dataTab());
  window_->NewCommand();
  EXPECT_FALSE(window_->picker()->isVisible());
  EXPECT_FALSE(window_->model().sheetModified);
}

TEST_F(MainWindowTest, CharacterNameFollowsIntoTheOrderTab) {
  window_->dataTab()->editKarNev->setText("Ödön");
  EXPECT_EQ(window_->findChild<QLabel*>("LabelName")->text(), QString("Ödön"));
  EXPECT_EQ(window_->model().character.name, mv::cp1250::FromUtf8("Ödön"));
}

}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs the binary without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
