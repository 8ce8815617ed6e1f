#include "ui/OrderGrid.h"

#include <QPainter>

#include <QHeaderView>
#include <QMouseEvent>

#include "core/CommandCatalogue.h"
#include "ui/KeyMapping.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {
// Heights and widths of the cells plus their one-pixel grid line, so that the
// 21 rows and 10 columns fill the grid's 368 x 361 exactly.
constexpr int kRowHeight = 16 + 1;
constexpr int kColumnWidths[OrderSheet::kColumns] = {27, 35, 40, 40, 40, 40, 40, 40, 31, 31};
}  // namespace

CellDelegate::CellDelegate(OrderGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* edit = new QLineEdit(parent);
  edit->setFrame(false);
  // The cell being typed in must stand out from a white row, in a dark
  // palette too: a frame in the highlight colour.
  edit->setStyleSheet("QLineEdit { border: 2px solid palette(highlight); padding: 0px; }");
  edit->setContextMenuPolicy(Qt::NoContextMenu);  // no clipboard in the grid
  edit->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
  edit->installEventFilter(grid_);
  const QPersistentModelIndex where(index);
  connect(edit, &QLineEdit::textChanged, grid_, [this, where](const QString& text) {
    if (where.isValid()) grid_->model_.setData(where, text, Qt::EditRole);
  });
  active_ = edit;
  return edit;
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  QRect rect = option.rect;
  const auto* edit = static_cast<QLineEdit*>(editor);
  const QString widest = index.column() == col::kCode ? QString(4, 'W') : QString(5, '9');
  // The frame (2 px a side) and the line edit's own margin (2 px a side).
  const int needed = edit->fontMetrics().horizontalAdvance(widest) + 2 * 2 + 2 * 2 + 4;
  if (rect.width() < needed) {
    rect.setWidth(needed);
    const int right = grid_->viewport()->width();
    if (rect.right() > right) rect.moveRight(right);
  }
  editor->setGeometry(rect);
}

void CellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  if (editor == active_) active_.clear();
  QStyledItemDelegate::destroyEditor(editor, index);
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* edit = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (edit->text() != text) edit->setText(text);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

OrderGrid::OrderGrid(SheetEditor& editor, QWidget* parent)
    : QTableView(parent), editor_(editor), editing_(editor), model_(editor, this), delegate_(new CellDelegate(this)) {
  setModel(&model_);
  setItemDelegate(delegate_);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setFixedHeight(kRowHeight);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setMinimumSectionSize(10);
  for (int c = 0; c < OrderSheet::kColumns; ++c) setColumnWidth(c, kColumnWidths[c]);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // No delayed "selected clicked" editing: its timer would reopen the editor
  // under the player's typing.
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { CurrentChanged(current); });
  FollowViewCell();
}

void OrderGrid::FollowViewCell() {
  if (driving_) return;
  const SheetView& view = editor_.view();
  const QModelIndex target = model_.index(view.row() - 1, view.column());
  if (currentIndex() != target) setCurrentIndex(target);
}

void OrderGrid::RefreshFromModel() {
  model_.Refresh();
  if (QLineEdit* edit = delegate_->ActiveEditor()) {
    const QString text = currentIndex().data(Qt::EditRole).toString();
    if (edit->text() != text) edit->setText(text);
  }
}

void OrderGrid::CurrentChanged(const QModelIndex& current) {
  if (!current.isValid()) return;
  if (current.column() == col::kLabel) {  // the label column is fixed
    setCurrentIndex(model_.index(current.row(), col::kCode));
    return;
  }
  driving_ = true;
  editor_.SelectCell(OrderGridModel::SheetRow(current), current.column());
  driving_ = false;
}

bool OrderGrid::ApplyKeyRules(QKeyEvent* event) {
  const KeyOutcome out = editing_.KeyPressed(VirtualKeyOf(*event), ModifiersOf(event->modifiers()));
  if (out.moveColumn != 0) {
    const SheetView& view = editor_.view();
    setCurrentIndex(model_.index(view.row() - 1, view.column() + out.moveColumn));
  }
  if (out.contextHelpTopic) emit ContextHelpRequested(QString::fromStdString(*out.contextHelpTopic));
  if (out.mainHelp) emit MainHelpRequested();
  // The grid's clipboard short cuts are off.
  if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut))
    return true;
  return out.consumed;
}

bool OrderGrid::FilterTypedKey(QKeyEvent* event, QLineEdit* edit) {
  const QString text = event->text();
  if (text.isEmpty() || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  const char32_t ch = text.toUcs4().value(0);
  if (ch < 32 || ch == 127) return false;
  const int column = editor_.view().column();
  const auto typed = CanType(column, ch, std::size_t(edit->text().size() - edit->selectedText().size()));
  if (!typed) return true;                 // refused
  if (column != col::kCode) return false;  // the editor takes the digit as it is

  edit->insert(QString::fromUcs4(&*typed, 1));
  if (completion_ && !edit->hasSelectedText()) {
    const int caret = edit->cursorPosition();
    if (const auto done = CompleteCommand(W(edit->text().left(caret))); done && done->addedLength > 0) {
      edit->setText(Q(done->text));
      edit->setSelection(caret, int(done->addedLength));
    }
  }
  return true;
}

void OrderGrid::KeyPressed(const QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta &&
      key != Qt::Key_AltGr)
    pressedKeys_.insert(key);
}

void OrderGrid::KeyReleased(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  // Only a key pressed here counts: the release of the key that closed a
  // dialog or message box (or of a lone modifier) changes nothing.
  if (!pressedKeys_.remove(event->key())) return;
  QModelIndex topLeft = currentIndex();
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  for (const QModelIndex& i : selected) {
    if (!topLeft.isValid() || i.row() < topLeft.row() || (i.row() == topLeft.row() && i.column() < topLeft.column()))
      topLeft = i;
  }
  if (!topLeft.isValid()) return;
  driving_ = true;
  editor_.KeyReleased(VirtualKeyOf(*event), OrderGridModel::SheetRow(topLeft), topLeft.column());
  driving_ = false;
}

bool OrderGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsPopupKey(key)) {
      RequestPopupAtCell();
      return true;
    }
    // Reaches the editor only when the window has nothing to undo or redo:
    // the editor's own undo would be a second history.
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
    KeyPressed(key);
    if (!forwarding_ && ApplyKeyRules(key)) return true;
    return FilterTypedKey(key, edit);
  }
  if (edit && event->type() == QEvent::ShortcutOverride) {
    // The menus' short cuts (Ctrl+..., F2..F4) win over the line editor's
    // own, undo and redo too: every typed character is a step of the one
    // undo history already.
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsPopupKey(key)) return false;
    if (key->modifiers() & Qt::ControlModifier || (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F12)) {
      event->ignore();
      return true;
    }
  }
  if (edit && event->type() == QEvent::KeyRelease) {
    KeyReleased(static_cast<QKeyEvent*>(event));
    return false;
  }
  return QTableView::eventFilter(watched, event);
}

bool OrderGrid::IsPopupKey(const QKeyEvent* event) {
  return event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
}

void OrderGrid::RequestPopupAtCell() {
  emit PopupRequested(viewport()->mapToGlobal(visualRect(currentIndex()).bottomLeft()));
}

void OrderGrid::CloseCellEditor() {
  QLineEdit* edit = delegate_->ActiveEditor();
  if (!edit) return;
  // A focused editor closes through its own focus-out, as a click elsewhere would close it.
  if (edit->hasFocus())
    setFocus();
  else
    closeEditor(edit, QAbstractItemDelegate::NoHint);
}

void OrderGrid::keyPressEvent(QKeyEvent* event) {
  if (IsPopupKey(event)) {
    event->accept();
    RequestPopupAtCell();
    return;
  }
  KeyPressed(event);
  if (ApplyKeyRules(event)) {
    event->accept();
    return;
  }
  forwarding_ = true;
  QTableView::keyPressEvent(event);
  forwarding_ = false;
}

void OrderGrid::keyReleaseEvent(QKeyEvent* event) {
  KeyReleased(event);
  QTableView::keyReleaseEvent(event);
}

void OrderGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::RightButton) {
    if (index.isValid()) {
      const int column = index.column() == col::kLabel ? editor_.view().column() : index.column();
      setCurrentIndex(model_.index(index.row(), column));
    }
    emit PopupRequested(event->globalPosition().toPoint());
    return;
  }
  if (event->button() == Qt::LeftButton && index.isValid() && index.column() == col::kLabel) {
    dragFrom_ = OrderGridModel::SheetRow(index);
    dropTarget_ = dragFrom_;
    setCursor(Qt::SizeVerCursor);
    return;
  }
  QTableView::mousePressEvent(event);
}

void OrderGrid::mouseMoveEvent(QMouseEvent* event) {
  if (dragFrom_ == 0) {
    QTableView::mouseMoveEvent(event);
    return;
  }
  const QModelIndex index = indexAt(event->position().toPoint());
  const int target = index.isValid() ? OrderGridModel::SheetRow(index) : 0;
  if (target != dropTarget_) {
    dropTarget_ = target;
    viewport()->update();
  }
}

void OrderGrid::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (dragFrom_ == 0 || dropTarget_ == 0 || dropTarget_ == dragFrom_) return;
  // The line where the dragged row will land: above the target row when it
  // moves up, below it when it moves down.
  const QRect row = visualRect(model_.index(dropTarget_ - 1, col::kCode));
  const int y = dropTarget_ < dragFrom_ ? row.top() : row.bottom();
  QPainter painter(viewport());
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawLine(0, y, viewport()->width(), y);
}

void OrderGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (dragFrom_ != 0) {
    unsetCursor();
    dropTarget_ = 0;
    viewport()->update();
    const QModelIndex index = indexAt(event->position().toPoint());
    const int from = dragFrom_;
    dragFrom_ = 0;
    if (index.isValid() && OrderGridModel::SheetRow(index) != from)
      editing_.RowDragged(from, OrderGridModel::SheetRow(index));
    return;
  }
  QTableView::mouseReleaseEvent(event);
}

}  // namespace mv::ui
