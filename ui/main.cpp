#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <initializer_list>

#include "platform/Hardening.h"
#include "store/ProgramDirectory.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

namespace {

// The switches that need no window must work without a display, so they are
// looked for before Qt is asked for one: as the parser spells them.
bool AnyGiven(int argc, char** argv, std::initializer_list<const QCommandLineOption*> options) {
  for (int i = 1; i < argc; ++i)
    for (const QCommandLineOption* option : options)
      for (const QString& name : option->names())
        if (QString::fromLocal8Bit(argv[i]) == (name.size() == 1 ? "-" : "--") + name) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  mv::KeepSecretsOutOfDumps();
  QCommandLineParser parser;
  parser.setApplicationDescription("Morvald UL készítő: egy forduló utasításainak megírása és elküldése.");
  const QCommandLineOption help({"h", "?", "help", "help-all"}, "Kiírja a kapcsolók leírását.");
  parser.addOption(help);
  const QCommandLineOption uninstall("uninstall", "Eltávolítja az .ulf fájltársítást, és kilép.");
  const QCommandLineOption version("version", "Kiírja a program változatát.");
  parser.addOption(uninstall);
  parser.addOption(version);
  parser.addPositionalArgument("lap", "Az induláskor megnyitandó UL (.ulf).", "[LAP.ulf]");
  const auto usage = [&parser] {
    return parser.helpText().replace("<executable_name>", "mvul") +
           "\nA Qt saját kapcsolói is használhatók (például -style Fusion, -platform xcb, -reverse).\n";
  };

  if (AnyGiven(argc, argv, {&help, &uninstall, &version})) {
    QCoreApplication app(argc, argv);
    mv::ui::LoadQtHungarian(app);
    parser.parse(QCoreApplication::arguments());  // Qt's own options are not ours to refuse here
    if (parser.isSet(help)) {
      std::fputs(qPrintable(usage()), stdout);
      return 0;
    }
    return mv::ui::RunWindowless(parser.isSet(version) ? mv::ui::Windowless::Version : mv::ui::Windowless::Uninstall);
  }

  // Qt takes its own options (-style, -platform, -reverse, ...) first; the
  // rest are ours.
  QApplication app(argc, argv);
  mv::ui::LoadQtHungarian(app);  // before the parser speaks: its refusals are Qt's words
  if (!parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "%s\n%s", qPrintable(parser.errorText()), qPrintable(usage()));
    return 2;
  }
  QApplication::setOrganizationName("VA DU");
  QApplication::setApplicationName("duzovudevi");
  const std::filesystem::path directory = mv::ProgramDirectory();
  mv::PrepareProgramDirectory(directory, mv::ShippedListsDirectory());
  mv::ui::MainWindow window(directory, parser.positionalArguments());
  window.show();
  return QApplication::exec();
}
