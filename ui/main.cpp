#include <QApplication>

#include "store/ProgramDirectory.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv) {
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
