#include "ui/MessageBoxes.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QSpacerItem>

#include "ui/Captions.h"

namespace mv::ui {

QStringList WithAccessKeys(const QStringList& captions) {
  QString taken;
  for (const QString& caption : captions) {
    const int amp = caption.indexOf('&');
    if (amp >= 0 && amp + 1 < caption.size()) taken += caption[amp + 1].toLower();
  }
  QStringList out;
  for (const QString& caption : captions) {
    if (caption.contains('&')) {
      out << caption;
      continue;
    }
    QString marked = caption;
    for (int i = 0; i < caption.size(); ++i) {
      const QChar c = caption[i].toLower();
      if (!c.isLetterOrNumber() || taken.contains(c)) continue;
      taken += c;
      marked.insert(i, '&');
      break;
    }
    out << marked;
  }
  return out;
}

void Dress(QMessageBox& box) {
  box.setWindowTitle(kApplicationTitle);
  // QMessageBox sizes itself by its text; a spacer in its grid keeps the
  // title bar from cutting the title off.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int width = box.fontMetrics().horizontalAdvance(kApplicationTitle) + 140;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  const QList<QAbstractButton*> buttons = box.buttons();
  QStringList captions;
  for (QAbstractButton* button : buttons) captions << button->text();
  const QStringList marked = WithAccessKeys(captions);
  for (int i = 0; i < buttons.size(); ++i) {
    buttons[i]->setText(marked[i]);
    buttons[i]->setAccessibleName(QString(marked[i]).remove('&'));
  }
}

QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
  QMessageBox box(QMessageBox::Question, kApplicationTitle, text, buttons, parent);
  box.setDefaultButton(defaultButton);
  Dress(box);
  const int answer = box.exec();
  // Closed without a button: as Escape would answer.
  return box.clickedButton() ? box.standardButton(box.clickedButton()) : QMessageBox::StandardButton(answer);
}

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kApplicationTitle, text, QMessageBox::Ok, parent);
  Dress(box);
  box.exec();
}

}  // namespace mv::ui
