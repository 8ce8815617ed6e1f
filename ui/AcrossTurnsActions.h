// What the player does across the turns from the window: "Mi változott?"
// (F7), "Keresés az UL-ekben…" (Ctrl+Shift+F) and the next sheet that
// needs him (Ctrl+N). Every sheet goes in through the one rule for a
// modified sheet.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>

#include "core/SheetEditor.h"
#include "store/IniFile.h"
#include "ui/DiffWindow.h"
#include "ui/SearchWindow.h"
#include "ui/SheetFileActions.h"

namespace mv::ui {

class AcrossTurnsActions : public QObject {
  Q_OBJECT
 public:
  // showRow: the order tab in front with that row current.
  AcrossTurnsActions(SheetEditor& editor, SheetFileActions* files, IniFile& ini, std::filesystem::path programDirectory,
                     std::function<void(int row)> showRow, QWidget* window);

  DiffWindow* diffWindow() const { return diff_; }
  SearchWindow* searchWindow() const { return search_; }

 public slots:
  // Against the letter kept for this turn when there is one, else the turn before.
  void ShowDiff();
  void ShowDiffWithSent();
  void ShowSearch();
  void GoToNextNeeding();

 private:
  void ShowDiffAgainst(DiffWindow::Against against);

  SheetEditor& editor_;
  SheetFileActions* files_;
  IniFile& ini_;
  std::filesystem::path programDirectory_;
  std::function<void(int)> showRow_;
  QWidget* window_;
  QPointer<DiffWindow> diff_;
  QPointer<SearchWindow> search_;
};

}  // namespace mv::ui
