// The "Utasítás Lap" tab: the grid, the description panel, the figures and
// the name and turn captions.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <array>

#include "ui/OrderGrid.h"

namespace mv::ui {

class OrderTab : public QWidget {
  Q_OBJECT
 public:
  OrderTab(SheetEditor& editor, QWidget* parent = nullptr);

  OrderGrid* grid() const { return grid_; }
  // Shows the panel and the figures as the model holds them.
  void ShowInterpretation();
  // Redraws everything after the sheet changed as a whole.
  void ShowSheet();
  void SetCharacterName(const QString& name) { labelName_->setText(name); }
  // Flat, borderless grid (appearance settings).
  void SetFlatGrid(bool flat);
  void SetGridFont(const QFont& font);

  QLabel* commandLabel() const { return labelParancs_; }
  QLabel* descriptionLine(int n) const { return lines_.at(std::size_t(n - 1)); }
  QLabel* checkNumberLabel() const { return ellsz_; }
  QLabel* tvpTotalLabel() const { return osszTvp_; }
  QLabel* knoTotalLabel() const { return osszKno_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  SheetEditor& editor_;
  OrderGrid* grid_;
  QLabel* labelName_;
  QLabel* labelFord_;
  QLabel* labelParancs_;
  std::array<QLabel*, 8> lines_{};
  QLabel* ellsz_;
  QLabel* osszTvp_;
  QLabel* osszKno_;
};

}  // namespace mv::ui
