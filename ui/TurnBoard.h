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

#include "core/DataList.h"
#include "letter/TurnStatus.h"
#include "store/IniFile.h"

namespace mv::ui {

// A character's current sheet as the board shows it.
struct CurrentSheet {
  CharacterTurns character;
  TurnStatus status;
};

class TurnBoard : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kColumns = 6;  // the current sheet and five turns before it

  // sheetFolders: where the sheets are looked for, as the open dialog does.
  TurnBoard(std::filesystem::path programDirectory, IniFile& ini, const ReferenceLists& lists,
            std::function<std::vector<std::filesystem::path>()> sheetFolders, QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }
  // Every character's current sheet and its state, as last looked at.
  const std::vector<CurrentSheet>& CurrentSheets() const { return current_; }

 public slots:
  // Looks at the files again ("Frissítés").
  void Refresh();

 signals:
  void OpenRequested(const QString& sheet);
  void NextTurnRequested(const QString& sheet);
  void SendAllRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Shift(int turns);
  void OpenSelected();
  // The sheet of the selected cell, when it is a character's current sheet.
  QString SelectedCurrentSheet() const;
  void UpdateButtons();

  std::filesystem::path programDirectory_;
  IniFile& ini_;
  const ReferenceLists& lists_;
  std::function<std::vector<std::filesystem::path>()> sheetFolders_;
  int back_ = 0;  // turns the columns are shifted back by ◀
  std::vector<CurrentSheet> current_;

  QTableWidget* table_;
  QLabel* broken_;
  QPushButton* earlier_;
  QPushButton* later_;
  QPushButton* nextTurn_;
};

}  // namespace mv::ui
