// The order grid of the "Utasítás Lap" tab: shows the sheet, applies the
// typing rules in its cell editors and forwards keys, clicks and drags to
// the core's editing rules.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTableView>

#include "core/GridEditing.h"
#include "ui/OrderGridModel.h"

namespace mv::ui {

class OrderGrid;

class CellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit CellDelegate(OrderGrid* grid);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  // Wide enough for the longest text the cell takes, at any scale: a narrow
  // column's editor reaches over its neighbour rather than hide digits.
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

  QLineEdit* ActiveEditor() const { return active_; }

 private:
  OrderGrid* grid_;
  mutable QPointer<QLineEdit> active_;
};

class OrderGrid : public QTableView {
  Q_OBJECT
 public:
  OrderGrid(SheetEditor& editor, QWidget* parent = nullptr);

  OrderGridModel& gridModel() { return model_; }
  GridEditing& editing() { return editing_; }
  void SetCompletion(bool on) { completion_ = on; }
  bool Completion() const { return completion_; }

  // Makes the view's current cell the grid's current cell, unless the grid
  // itself is moving it.
  void FollowViewCell();
  // The cells changed: redraw and bring an open cell editor up to date.
  void RefreshFromModel();
  // Before an operation on the whole sheet (undo, redo): no cell is typed in.
  void CloseCellEditor();

 signals:
  void ContextHelpRequested(const QString& topic);
  void MainHelpRequested();
  void PopupRequested(const QPoint& globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class CellDelegate;
  // The rules of a key press; true when the key is consumed.
  bool ApplyKeyRules(QKeyEvent* event);
  // The typing rules of a cell editor; true when the key is taken.
  bool FilterTypedKey(QKeyEvent* event, QLineEdit* editor);
  void KeyPressed(const QKeyEvent* event);
  // The Menu key and Shift+F10 open the pop-up menu, as the right button does.
  static bool IsPopupKey(const QKeyEvent* event);
  void RequestPopupAtCell();
  void KeyReleased(QKeyEvent* event);
  void CurrentChanged(const QModelIndex& current);

  SheetEditor& editor_;
  // The grid is telling the editor where it is: the view must not be
  // followed back.
  bool driving_ = false;
  GridEditing editing_;
  OrderGridModel model_;
  CellDelegate* delegate_;
  bool completion_ = false;
  QSet<int> pressedKeys_;    // keys whose press the grid or its editor saw
  bool forwarding_ = false;  // a key press on its way from the grid to a new editor
  int dragFrom_ = 0;
  Q_PROPERTY(int dropTarget MEMBER dropTarget_)  // the row a drag would land on, 0 for none
  int dropTarget_ = 0;
};

}  // namespace mv::ui
