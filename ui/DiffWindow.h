// "Mi változott?" (F7): the sheet shown beside the character's sheet of the
// turn before, or beside the letter kept when this turn was sent. Rows side
// by side with their names; the change is said in words, colour only adds.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTreeWidget>
#include <functional>

#include "turn/SheetComparison.h"

namespace mv::ui {

class DiffWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Against { TurnBefore = 0, Sent = 1 };
  using Compare = std::function<Comparison(Against)>;

  explicit DiffWindow(QWidget* parent = nullptr);

  // Shows the comparison `compare` makes against the chosen side.
  void ShowComparison(Compare compare, Against against);
  QTreeWidget* rows() const { return rows_; }
  QComboBox* against() const { return against_; }
  QString summary() const { return summary_->text(); }

 signals:
  // A row of the sheet shown (1..20) to go to.
  void GoToRow(int row);

 private:
  void Fill();

  Compare compare_;
  QComboBox* against_;
  QLabel* summary_;
  QTreeWidget* rows_;
};

}  // namespace mv::ui
