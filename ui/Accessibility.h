// Screen readers name a control by its caption; a field without one by the
// label beside it. This gives every unnamed control of a window that name.
#pragma once

#include <QWidget>

namespace mv::ui {

// The controls a player reaches with the keyboard: buttons, fields, lists,
// sliders, memos.
bool IsControl(const QWidget* widget);

// A combo box's list or line edit, a spin box's line edit: named through
// the control they belong to.
bool IsPartOfAnother(const QWidget* widget);

// Each control under root without a name of its own gets the text of the
// label before it in its layout, or else its tool tip or placeholder.
void NameUnlabelledControls(QWidget* root);

}  // namespace mv::ui
