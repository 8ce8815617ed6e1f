// Qt key events to the virtual key numbers and shift states of the key rules.
#pragma once

#include <QKeyEvent>

#include "core/GridEditing.h"

namespace mv::ui {

// 0 for keys the rules never name.
int VirtualKeyOf(const QKeyEvent& event);
KeyModifiers ModifiersOf(Qt::KeyboardModifiers modifiers);

}  // namespace mv::ui
