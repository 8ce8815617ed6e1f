#include "ui/Startup.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

#include "store/FileAssociation.h"
#include "ui/Text.h"

namespace mv::ui {

bool LoadQtHungarian(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load("qtbase_hu", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

int RunWindowless(Windowless what) {
  if (what == Windowless::Version) {
    std::printf("mvul %s\n", kVersion);
    return 0;
  }
  const auto association = DesktopAssociation(PathOf(QCoreApplication::applicationFilePath()));
  return association->Remove() ? 0 : 1;
}

}  // namespace mv::ui
