// What the player does across the turns from the window: the board
// ("Fordulók áttekintése", F6), "Mi változott?" (F7), "Keresés az
// UL-ekben…" (Ctrl+Shift+F) and the next sheet that needs him (Ctrl+N).
// Every sheet goes in through the one rule for a modified sheet.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>

#include "core/SheetEditor.h"
#include "store/IniFile.h"
#include "ui/DiffWindow.h"
#include "ui/LetterActions.h"
#include "ui/SearchWindow.h"
#include "ui/SheetFileActions.h"
#include "ui/TurnBoard.h"

namespace mv::ui {

class AcrossTurnsActions : public QObject {
  Q_OBJECT
 public:
  // showRow: the order tab in front with that row current.
  AcrossTurnsActions(SheetEditor& editor, SheetFileActions* files, LetterActions* letters, IniFile& ini,
                     std::filesystem::path programDirectory, std::function<void(int row)> showRow, QWidget* window);

  DiffWindow* diffWindow() const { return diff_; }
  SearchWindow* searchWindow() const { return search_; }

 public slots:
  // The board, made when first asked for, looked at again when shown.
  void ShowBoard();
  // Only a board on screen looks again.
  void RefreshBoard();
  void CloseBoard();
  // Before the window's parts go: the board shows some of them.
  void DeleteBoard();
  // Against the letter kept for this turn when there is one, else the turn before.
  void ShowDiff();
  void ShowDiffWithSent();
  void ShowSearch();
  void GoToNextNeeding();

 private:
  void ShowDiffAgainst(DiffWindow::Against against);

  SheetEditor& editor_;
  SheetFileActions* files_;
  LetterActions* letters_;
  IniFile& ini_;
  std::filesystem::path programDirectory_;
  std::function<void(int)> showRow_;
  QWidget* window_;
  QPointer<TurnBoard> board_;
  QPointer<DiffWindow> diff_;
  QPointer<SearchWindow> search_;
};

}  // namespace mv::ui
