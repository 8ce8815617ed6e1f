// Every message box of the program looks alike: one title, wide enough to
// show it whole, and an access key on each button.
#pragma once

#include <QMessageBox>
#include <QString>

namespace mv::ui {

// Gives a box the program's title, a width that shows it, and access keys.
void Dress(QMessageBox& box);

QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton);
void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& text);

// Access keys for captions that have none: each gets the first letter not
// taken yet ("Igen", "Nem", "Megnézem" -> "&Igen", "&Nem", "M&egnézem").
QStringList WithAccessKeys(const QStringList& captions);

}  // namespace mv::ui
