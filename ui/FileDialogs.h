// The program's file dialogs: Qt's own, sized so that the name, size, type
// and date of each file show whole, the date in Hungarian form.
#pragma once

#include <QFileDialog>
#include <QString>
#include <filesystem>

namespace mv::ui {

void FitFileDialog(QFileDialog& dialog);

// The file to import (nothing when cancelled), in such a dialog.
QString ChooseFileToOpen(QWidget* parent, const QString& title, const std::filesystem::path& folder,
                         const QString& filter);

}  // namespace mv::ui
