// TFormMain: the one main window. It builds the tabs and menus and wires
// them to the parts that do the work: the order tab (rows), the sheet file
// actions, the letter actions, the character controller and the options.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "core/SheetEditor.h"
#include "store/CharacterSession.h"
#include "store/IniFile.h"
#include "ui/AcrossTurnsActions.h"
#include "ui/Captions.h"
#include "ui/CharacterController.h"
#include "ui/DataTab.h"
#include "ui/DocumentSignals.h"
#include "ui/HelpWindows.h"
#include "ui/LetterActions.h"
#include "ui/MenuTable.h"
#include "ui/OptionsController.h"
#include "ui/OrderTab.h"
#include "ui/SheetFileActions.h"
#include "ui/TemplateActions.h"
#include "ui/TurnBoard.h"

namespace mv::ui {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // arguments: the command line without the program name.
  MainWindow(std::filesystem::path programDirectory, const QStringList& arguments, QWidget* parent = nullptr);
  // The widgets go before the document, the settings and the lists they
  // show: a field that loses the focus on the way must find them still there.
  ~MainWindow() override;

  // What the widgets show: the sheet, where the player is in it, the
  // character shown, the lists; and the editor that changes them.
  OrderDocument& document() { return document_; }
  SheetView& view() { return view_; }
  CharacterSession& character() { return session_; }
  ReferenceLists& lists() { return lists_; }
  SheetEditor& editor() { return editor_; }

  // Everything on screen drawn again (the changes draw themselves).
  void ShowModel();
  // A sheet or a foreign sheet, as a file manager or the command line hands it.
  void OpenSheetFile(const QString& path) { files_->OpenSheetFile(path); }
  void ImportForeignSheetFile(const QString& file) { files_->ImportForeignSheetFile(file); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Which buttons and menu items are usable for the character shown.
  void UpdateCharacterControls();
  // Rebuilds both "Varázsital főzése" sub-menus from the potion list.
  void BuildPotionMenus();
  void BuildTabs();
  void BuildMenus();
  void BuildHelp();
  void Connect();
  void OpenStartupSheet(const QStringList& arguments);
  void StartKeepingUnsavedWork();
  // A file the program ships (help, text files): the program directory
  // first, then beside the executable, then the installed data folder.
  std::filesystem::path ShippedFile(const std::string& name) const;
  void ShowLastSent();
  // The order tab in front, that row current.
  void ShowRow(int row);
  // Unsaved work is kept shortly after it changed.
  void ScheduleKeepingUnsavedWork();
  void KeepUnsavedWork();
  void CentreOnScreen();

  std::filesystem::path programDirectory_;
  IniFile ini_;
  ReferenceLists lists_;
  OrderDocument document_;
  SheetView view_;
  CharacterSession session_;
  SheetEditor editor_;
  DocumentSignals* changes_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  DataTab* dataTab_ = nullptr;
  OrderTab* orderTab_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  CharacterController* characters_ = nullptr;
  OptionsController* options_ = nullptr;
  SheetFileActions* files_ = nullptr;
  LetterActions* letters_ = nullptr;
  AcrossTurnsActions* acrossTurns_ = nullptr;
  TemplateActions* templates_ = nullptr;
  HelpWindows* help_ = nullptr;
  QTimer* keeper_ = nullptr;
  bool firstShow_ = true;
  bool openedAtStart_ = false;
  bool placed_ = false;           // a stored place on a screen
  std::string lastSentShownFor_;  // the character whose last send "Adatok" shows
  MenuTable* menus_ = nullptr;
  QMenu* popup_ = nullptr;
};

}  // namespace mv::ui
