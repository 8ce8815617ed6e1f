// The "Utasítás Lap" tab: the grid, the description panel, the figures and
// the name and turn captions; and the operations on its rows.
#pragma once

#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <array>
#include <memory>

#include "ui/CommandPicker.h"
#include "ui/DocumentSignals.h"
#include "ui/OrderGrid.h"

namespace mv::ui {

class OrderTab : public QWidget {
  Q_OBJECT
 public:
  // Shows what `changes` announces of the editor's document and view.
  OrderTab(SheetEditor& editor, DocumentSignals& changes, QWidget* parent = nullptr);

  OrderGrid* grid() const { return grid_; }
  // The rows the selection spans, or the current row without one.
  std::vector<int> SelectedRows() const;
  // "Elérhető TVP" and "Maradék", which the budget wiring fills.
  QLineEdit* budgetEdit() const { return budget_; }
  QLabel* remainingLabel() const { return remaining_; }
  // Redraws the grid, the panel and the figures (the lists changed).
  void ShowSheet();
  void SetCharacterName(const QString& name) { labelName_->setText(name); }
  // Flat, borderless grid (appearance settings).
  void SetFlatGrid(bool flat);
  void SetGridFont(const QFont& font);
  // Colours, band length, hover frame and completion of the grid.
  void SetGridLook(const GridLook& look, bool hover, bool completion);
  // One item per potion of the list; each brews its potion. A long list is
  // paged into sub-menus filled when they open.
  void FillPotionMenu(QMenu* menu, const std::vector<std::string>& potionLines);

 public slots:
  // "Új parancs": the command picker, then a new row with its code.
  void NewCommand();
  void BrewPotion(const QString& caption);
  void InsertRow();
  void DeleteRow();
  void DuplicateRow();
  void MoveRowUp();
  void MoveRowDown();
  void Undo();
  void Redo();
  // "Újraszámolás": every row interpreted again, one undo step.
  void Recalculate();
  // The code cell of a sheet row, with the tab brought forward.
  void SelectRow(int row);

 signals:
  void ContextHelpRequested(const QString& topic);
  void MainHelpRequested();
  void PopupRequested(const QPoint& globalPos);
  // The tab wants to be the current one.
  void ShowMe();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillPotionPage(QMenu* menu, const std::shared_ptr<const QStringList>& captions, qsizetype begin, qsizetype end);
  void ShowPanel();
  void ShowFigures();
  // A row operation that needs room says so when row 20 holds an order.
  void SayIfNoRoom(bool done);

  SheetEditor& editor_;
  CommandPicker* picker_;
  OrderGrid* grid_;
  QLabel* labelName_;
  QLabel* labelFord_;
  QLabel* labelParancs_;
  std::array<QLabel*, 8> lines_{};
  QLabel* ellsz_;
  QLabel* osszTvp_;
  QLabel* osszKno_;
  QLabel* budgetCaption_;
  QLineEdit* budget_;
  QLabel* remaining_;
};

}  // namespace mv::ui
