// What the program does before its window: the command line and the
// platform's Hungarian texts.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace mv::ui {

inline constexpr const char* kVersion = MVUL_VERSION;

// Loads Qt's own Hungarian translation (standard buttons, file dialogs) from
// the translations folder of the Qt the program runs on, whatever the
// locale. False when it is not installed.
bool LoadQtHungarian(QCoreApplication& app);

// The switches that need no window: "--version" prints it; "--uninstall"
// removes the association before any other start-up step (no window, no
// character, no write to mv.ini). The exit status.
enum class Windowless { Version, Uninstall };
int RunWindowless(Windowless what);

}  // namespace mv::ui
