// "Fordulók áttekintése": every character's sheets at a glance, the current
// one and the turns before it, each with its state in words; a window of
// its own that the main window keeps up to date.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

#include <QPointer>
#include <QThread>

#include "core/DataList.h"
#include "store/IniFile.h"
#include "turn/CurrentSheet.h"

namespace mv::ui {

class TurnBoard : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kColumns = 6;  // the current sheet and five turns before it

  // sheetFolders: where the sheets are looked for, as the open dialog does.
  TurnBoard(std::filesystem::path programDirectory, std::filesystem::path iniPath, const ReferenceLists& lists,
            std::function<std::vector<std::filesystem::path>()> sheetFolders, QWidget* parent = nullptr);
  ~TurnBoard() override;

  QTableWidget* table() const { return table_; }
  // Every character's current sheet and its state, as last looked at.
  const std::vector<CurrentSheet>& CurrentSheets() const { return current_; }
  bool looking() const { return looker_ != nullptr; }

 public slots:
  // Looks at the files again ("Frissítés"), off the window's thread; then
  // (once the table shows what it found) calls `then`.
  void Refresh() { RefreshThen({}); }
  void RefreshThen(std::function<void()> then);

 signals:
  // The table shows a look that just ended.
  void Looked();
  void OpenRequested(const QString& sheet);
  void NextTurnRequested(const QString& sheet);
  void SendAllRequested();
  // "Mi változott?" on a sheet changed since it was sent.
  void DiffRequested(const QString& sheet);
  // Ctrl+N: the next sheet that needs the player.
  void NextNeedingRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Shift(int turns);
  void Show(const TurnLook& look, int back);
  void OpenSelected();
  // The sheet of the selected cell, when it is a character's current sheet.
  QString SelectedCurrentSheet() const;
  void UpdateButtons();

  std::filesystem::path programDirectory_;
  std::filesystem::path iniPath_;
  const ReferenceLists& lists_;
  std::function<std::vector<std::filesystem::path>()> sheetFolders_;
  int back_ = 0;  // turns the columns are shifted back by ◀
  std::vector<CurrentSheet> current_;
  QPointer<QThread> looker_;  // the look going on, if any
  bool lookAgain_ = false;    // the files changed while it went
  std::vector<std::function<void()>> waiting_;

  QTableWidget* table_;
  QLabel* broken_;
  QLabel* looking_;
  QPushButton* earlier_;
  QPushButton* later_;
  QPushButton* nextTurn_;
  QPushButton* changed_;
  QLabel* allDone_;
};

}  // namespace mv::ui
