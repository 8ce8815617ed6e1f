// What the program does before its window: the command line and the
// platform's Hungarian texts.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

namespace mv::ui {

inline constexpr const char* kVersion = MVUL_VERSION;

// Loads Qt's own Hungarian translation (standard buttons, file dialogs) from
// the translations folder of the Qt the program runs on, whatever the
// locale. False when it is not installed.
bool LoadQtHungarian(QCoreApplication& app);

// Handles the switches that need no window ("--version", "--uninstall");
// the exit status when the program is done, nothing when it goes on.
std::optional<int> RunCommandLineOnly(const QStringList& arguments);

}  // namespace mv::ui
