#include "ui/Startup.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

#include "store/FileAssociation.h"

namespace mv::ui {

bool LoadQtHungarian(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load("qtbase_hu", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

std::optional<int> RunCommandLineOnly(const QStringList& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  if (arguments[1] == "--version") {
    std::printf("%s\n", kVersion);
    return 0;
  }
  // Before every other start-up step: no window, no character, no mv.ini.
  if (arguments[1] == "--uninstall") {
    auto association = FreedesktopAssociation::ForCurrentUser(QCoreApplication::applicationFilePath().toStdString());
    return association.Remove() ? 0 : 1;
  }
  return std::nullopt;
}

}  // namespace mv::ui
