// The real main window over a program directory of the test's own, found
// and driven as a player's tools do: by object names and keys.
#pragma once

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "core/Cp1250.h"
#include "core/SheetCheck.h"
#include "letter/OrderLetter.h"
#include "store/IniFile.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"
#include "tests/SmtpSink.h"
#include "ui/LetterActions.h"
#include "ui/ListsTab.h"
#include "ui/MainWindow.h"
#include "ui/OptionsController.h"
#include "ui/ProblemList.h"
#include "ui/PuzzleTabs.h"
#include "ui/SheetFileActions.h"
#include "ui/Startup.h"

namespace mvtest {

using mv::ui::MainWindow;

// Widgets and the window's parts are found as a player's tools find them: by
// their object names.
template <class T>
T* Find(const QObject& root, const char* name) {
  T* found = root.findChild<T*>(name);
  if (!found) ADD_FAILURE() << "nothing named " << name;
  return found;
}

// Presses a button of the first message box that opens, and says what it asked.
inline std::shared_ptr<QString> AnswerOnce(QObject* owner, QMessageBox::StandardButton button) {
  auto said = std::make_shared<QString>();
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, [said, button, timer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    *said = box->text();
    box->button(button)->click();
    timer->stop();
    timer->deleteLater();
  });
  timer->start(20);
  return said;
}

// The letter and the check of what the window shows.
inline std::string LetterOf(MainWindow& w) {
  return mv::OrderLetterText(w.document().sheet(), w.document().fields(), w.character().shown().fields);
}
inline std::vector<mv::SheetProblem> CheckOf(MainWindow& w) {
  return Find<mv::ui::LetterActions>(w, "UlLevelek")->Check();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Never the desktop's own keyring: a desktop without any Secret Service.
    dir_ = std::filesystem::temp_directory_path() / ("mvul-ui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    if (!keepBus_) {
      ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
      const std::filesystem::path runtime =
          std::filesystem::temp_directory_path() / ("mvul-ui-run-" + std::to_string(::getpid()));
      std::filesystem::create_directories(runtime);
      std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
      ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    window_ = std::make_unique<MainWindow>(dir_, QStringList{});
    window_->show();
    Find<QTabWidget>(*window_, "PageControl1")->setCurrentWidget(Find<mv::ui::OrderTab>(*window_, "UtasitasLap"));
    QApplication::processEvents();
  }
  void TearDown() override {
    window_->document().SetModified(false);
    window_.reset();
    std::filesystem::remove_all(dir_);
  }
  // A new window over the same program directory, as a restart.
  void Restart(const QStringList& arguments = {}) {
    window_->document().SetModified(false);
    window_->close();
    window_.reset();
    window_ = std::make_unique<MainWindow>(dir_, arguments);
    window_->show();
    Find<QTabWidget>(*window_, "PageControl1")->setCurrentWidget(Find<mv::ui::OrderTab>(*window_, "UtasitasLap"));
    QApplication::processEvents();
  }
  std::string Read(const std::string& name) { return mv::ReadWholeFile(dir_ / name).value_or("<missing>"); }
  void WriteFile(const std::string& name, const std::string& cp1250) {
    std::ofstream(dir_ / name, std::ios::binary) << cp1250;
  }
  // Answers the next message box or dialog that opens, and says what it said.
  // (A send's progress dialog is not answered: it goes by itself.)
  QString* AnswerNextDialog() {
    auto* text = new QString;
    auto* timer = new QTimer(window_.get());
    QObject::connect(timer, &QTimer::timeout, [text, timer] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w || w->objectName() == "SendProgress") return;
      if (auto* box = qobject_cast<QMessageBox*>(w)) *text = box->text();
      w->close();
      timer->stop();
    });
    timer->start(10);
    answered_.reset(text);
    return text;
  }
  // Clicks a button of each message box that opens, as long as the test runs on.
  std::shared_ptr<QStringList> Press(QMessageBox::StandardButton button) {
    auto said = std::make_shared<QStringList>();
    auto* timer = new QTimer(window_.get());
    QObject::connect(timer, &QTimer::timeout, [said, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      *said << box->text();
      if (QAbstractButton* b = box->button(button))
        b->click();
      else
        box->close();
    });
    timer->start(20);
    return said;
  }
  // Runs f once on the visible window of that object name when it shows.
  void WhenShown(const QString& name, std::function<void(QWidget*)> f) {
    auto* timer = new QTimer(window_.get());
    QObject::connect(timer, &QTimer::timeout, [name, f, timer] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) {
          timer->stop();
          timer->deleteLater();
          f(w);
          return;
        }
    });
    timer->start(10);
  }
  // A numbered character with a password, so that saving and sending work.
  void NumberedCharacter(const char* number = "2345") {
    Find<QLineEdit>(*window_, "EditKar")->setText(number);
    Find<QLineEdit>(*window_, "EditKarNev")->setText("Kardos");
    Find<QLineEdit>(*window_, "EditJelsz")->setText("titok");
    Find<QPushButton>(*window_, "BitBtnKarSave")->click();
  }
  mv::ui::OrderGrid* grid() { return Find<mv::ui::OrderGrid>(*window_, "StringGrid1"); }
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
  std::string Cell(int row, int column) { return window_->document().sheet().Cell(row, column); }
  QString Panel() { return Find<QLabel>(*window_, "LabelParancs")->text(); }

  std::filesystem::path dir_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QString> answered_;
  bool keepBus_ = false;  // a test with a keyring of its own sets it before SetUp
};

}  // namespace mvtest
