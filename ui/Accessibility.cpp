#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
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
  QString text = QTextDocumentFragment::fromHtml(labelText).toPlainText().remove('&').remove(':').simplified();
  while (text.startsWith('-')) text = text.mid(1).trimmed();  // "- KARAKTERSZÁMA:"
  return text;
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

// The label that stands beside the widget (left of it, on its line), or
// right above it: the window places its labels by hand, not in layouts.
QString LabelBeside(QWidget* widget) {
  QWidget* parent = widget->parentWidget();
  if (!parent) return {};
  const QRect at = widget->geometry();
  const QLabel* best = nullptr;
  int bestDistance = 0;
  for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (label->text().trimmed().isEmpty() || label->isHidden()) continue;
    const QRect l = label->geometry();
    int distance = -1;
    if (l.right() <= at.left() + 2 && l.bottom() >= at.top() && l.top() <= at.bottom())
      distance = at.left() - l.right();  // on its line, before it
    else if (l.bottom() <= at.top() + 2 && at.top() - l.bottom() <= 24 && l.right() >= at.left() &&
             l.left() <= at.right())
      distance = 1000 + at.top() - l.bottom();  // above it: only when nothing stands before it
    if (distance < 0 || distance > 1200 || (distance < 1000 && distance > 240)) continue;
    if (!best || distance < bestDistance) best = label, bestDistance = distance;
  }
  return best ? PlainText(best->text()) : QString();
}

// A name Qt made up from a group box around the widget is no name of its own.
bool NamedByItsGroup(QWidget* widget, const QString& name) {
  for (QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
    if (auto* group = qobject_cast<QGroupBox*>(up); group && group->title().trimmed() == name.trimmed()) return true;
  return false;
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
    if (!IsControl(w) || !w->accessibleName().isEmpty() || IsPartOfAnother(w)) continue;
    const QString given = AccessibleName(w);
    if (!given.isEmpty() && !NamedByItsGroup(w, given)) continue;
    QString name = LabelBefore(w);
    if (name.isEmpty()) name = LabelBeside(w);
    if (name.isEmpty()) name = w->toolTip();
    if (name.isEmpty()) {
      if (auto* edit = qobject_cast<QLineEdit*>(w)) name = edit->placeholderText();
      if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) name = memo->placeholderText();
    }
    if (!name.isEmpty()) w->setAccessibleName(name);
  }
}

}  // namespace mv::ui
