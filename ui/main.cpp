#include <QApplication>
#include <cstring>

#include "store/FileAssociation.h"
#include "store/ProgramDirectory.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv) {
  // "--uninstall" comes before every other start-up step: no window, no
  // character, no write to mv.ini.
  if (argc > 1 && std::strcmp(argv[1], "--uninstall") == 0) {
    QCoreApplication app(argc, argv);
    auto association = mv::FreedesktopAssociation::ForCurrentUser(QCoreApplication::applicationFilePath().toStdString());
    return association.Remove() ? 0 : 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(mv::ui::kApplicationTitle);
  QApplication::setOrganizationName("VA DU");
  QApplication::setApplicationName("duzovudevi");
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  mv::ui::MainWindow window(mv::ProgramDirectory(), arguments);
  window.show();
  return QApplication::exec();
}
