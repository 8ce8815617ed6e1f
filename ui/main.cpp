#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "store/ProgramDirectory.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  parser.setApplicationDescription("Morvald UL készítő: egy forduló utasításainak megírása és elküldése.");
  const QCommandLineOption uninstall("uninstall", "Eltávolítja az .ulf fájltársítást, és kilép.");
  const QCommandLineOption version("version", "Kiírja a program változatát.");
  parser.addOption(uninstall);
  parser.addOption(version);
  parser.addPositionalArgument("lap", "Az induláskor megnyitandó UL (.ulf).", "[LAP.ulf]");
  if (!parser.parse(arguments)) {
    const QString help = parser.helpText().replace("<executable_name>", "mvul");
    std::fprintf(stderr, "%s\n%s", qPrintable(parser.errorText()), qPrintable(help));
    return 2;
  }
  // The switches that need no window work without a display too.
  if (parser.isSet(version) || parser.isSet(uninstall)) {
    QCoreApplication app(argc, argv);
    return mv::ui::RunWindowless(parser.isSet(version) ? mv::ui::Windowless::Version : mv::ui::Windowless::Uninstall);
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("VA DU");
  QApplication::setApplicationName("duzovudevi");
  mv::ui::LoadQtHungarian(app);
  const std::filesystem::path directory = mv::ProgramDirectory();
  mv::PrepareProgramDirectory(directory, mv::ShippedListsDirectory());
  mv::ui::MainWindow window(directory, parser.positionalArguments());
  window.show();
  return QApplication::exec();
}
