#include <QApplication>
#include <cstring>

#include "store/ProgramDirectory.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

int main(int argc, char** argv) {
  // The switches that need no window work without a display too.
  for (const char* windowless : {"--version", "--uninstall"}) {
    if (argc > 1 && std::strcmp(argv[1], windowless) == 0) {
      QCoreApplication app(argc, argv);
      return *mv::ui::RunCommandLineOnly(QCoreApplication::arguments());
    }
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("VA DU");
  QApplication::setApplicationName("duzovudevi");
  mv::ui::LoadQtHungarian(app);
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  const std::filesystem::path directory = mv::ProgramDirectory();
  mv::PrepareProgramDirectory(directory, mv::ShippedListsDirectory());
  mv::ui::MainWindow window(directory, arguments);
  window.show();
  return QApplication::exec();
}
