// "Ellenőrzés": the problems of the whole sheet, one line each; a
// double-click on a row's line selects that row in the grid.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <vector>

#include "core/SheetCheck.h"

namespace mv::ui {

class ProblemList : public QDialog {
  Q_OBJECT
 public:
  explicit ProblemList(QWidget* parent = nullptr);
  void Show(const std::vector<SheetProblem>& problems);
  QListWidget* list() const { return list_; }

 signals:
  void RowChosen(int row);

 private:
  QListWidget* list_;
};

}  // namespace mv::ui
