#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace mv::ui {

namespace {

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(QAccessible::Name) : widget->accessibleName();
}

QString PlainText(const QString& labelText) {
  return QTextDocumentFragment::fromHtml(labelText).toPlainText().remove('&').remove(':').trimmed();
}

// The label that stands before the widget in the layout that holds it.
QString LabelBefore(QWidget* widget) {
  QWidget* parent = widget->parentWidget();
  for (QLayout* layout : parent ? parent->findChildren<QLayout*>() : QList<QLayout*>{}) {
    const int at = layout->indexOf(widget);
    if (at < 0) continue;
    for (int i = at - 1; i >= 0; --i)
      if (auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget()); label && !label->text().isEmpty())
        return PlainText(label->text());
  }
  return {};
}

}  // namespace

bool IsPartOfAnother(const QWidget* w) {
  const QWidget* parent = w->parentWidget();
  return qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent) ||
         w->inherits("QComboBoxListView");
}

bool IsControl(const QWidget* w) {
  if (w->focusPolicy() == Qt::NoFocus) return false;
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QLabel*>(w);
}

void NameUnlabelledControls(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    if (!IsControl(w) || !AccessibleName(w).isEmpty()) continue;
    if (IsPartOfAnother(w)) continue;
    QString name = LabelBefore(w);
    if (name.isEmpty()) name = w->toolTip();
    if (name.isEmpty()) {
      if (auto* edit = qobject_cast<QLineEdit*>(w)) name = edit->placeholderText();
      if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) name = memo->placeholderText();
    }
    if (!name.isEmpty()) w->setAccessibleName(name);
  }
}

}  // namespace mv::ui
