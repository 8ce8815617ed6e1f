// TFormMain: the one main window, its tabs and menus.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <filesystem>

#include <memory>

#include "core/GridEditing.h"
#include "store/FileAssociation.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/SheetRecovery.h"
#include "ui/CharacterController.h"
#include "ui/CommandPicker.h"
#include "ui/DataTab.h"
#include "ui/HelpWindows.h"
#include "ui/ListsTab.h"
#include "ui/OptionsDialog.h"
#include "ui/OrderTab.h"
#include "ui/PreviewDialog.h"
#include "ui/ProblemList.h"
#include "ui/SheetOpenDialog.h"

namespace mv::ui {

inline constexpr const char* kWindowCaption = "Vorlan Morvald UL készítő programja 2.3.14";
inline constexpr const char* kApplicationTitle = "Vorlan MV UL készítő programja";

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // arguments: the command line without the program name.
  MainWindow(std::filesystem::path programDirectory, const QStringList& arguments, QWidget* parent = nullptr);

  EditorModel& model() { return model_; }
  SheetEditor& editor() { return editor_; }
  OrderTab* orderTab() const { return orderTab_; }
  DataTab* dataTab() const { return dataTab_; }
  QTabWidget* tabs() const { return tabs_; }
  CommandPicker* picker() const { return picker_; }
  OptionsDialog* options() const { return options_; }
  ListsTab* listsTab() const { return listsTab_; }
  CharacterController* characters() const { return characters_; }
  SheetOpenDialog* openDialog() const { return openDialog_; }
  PreviewDialog* preview() const { return preview_; }
  HelpWindows* help() const { return help_; }
  // A file the program ships (help, text files): the program directory
  // first, then beside the executable, then the installed data folder.
  std::filesystem::path ShippedFile(const std::string& name) const;
  QPlainTextEdit* notes() const { return notes_; }
  // Every folder the open dialog searches: the program directory first.
  std::vector<std::filesystem::path> SheetFolders() const;
  IniFile& ini() { return ini_; }
  const Settings& settings() const { return settings_; }
  const std::filesystem::path& programDirectory() const { return programDirectory_; }

  // Which buttons and menu items are usable for the character shown.
  void UpdateCharacterControls();
  // Rebuilds both "Varázsital főzése" sub-menus from the potion list.
  void BuildPotionMenus();
  // Everything on screen from the model.
  void ShowModel();

  bool IsOrderTabActive() const { return tabs_->currentWidget() == orderTab_; }

  // The options dialog's values applied to the window (ApplySettings).
  void ApplySettings(const OptionsDialog::Values& values);
  // What the options dialog shows when it opens (LoadSettings).
  OptionsDialog::Values CurrentOptions() const;
  // "&Alkalmaz"/"&OK": apply, then write mv.ini and the association.
  void TakeOptions(const OptionsDialog::Values& values);

 public slots:
  void NewSheet();
  void OpenSheetDialog();
  void OpenSheetFile(const QString& path);
  bool Save();
  bool SaveAs();
  void NewCommand();
  // "Importálás" / "Zendik-féle UL készítő (*.oul)".
  void ImportForeignSheet();
  void ImportForeignSheetFile(const QString& file);
  void InsertRow();
  void DeleteRow();
  void DuplicateRow();
  void MoveRowUp();
  void MoveRowDown();
  void Undo();
  void Redo();
  // "Ellenőrzés" and "Újraszámolás".
  void CheckWholeSheet();
  void Recalculate();
  void ChangeGridFont();
  void OpenOptions();
  // The three deliveries of the order letter.
  void PostLetter();
  void SaveLetter();
  void CopyLetter();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus();
  void BuildTabs();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
  void AfterRowOperation();
  void ShowFailure(const std::string& message);
  // A send's outcome in its message box; sentText when it was delivered.
  static void ShowSendOutcome(QWidget* parent, const SendOutcome& outcome, const QString& sentText);
  void SendTestMail();
  // The check before a letter goes out: true when it may go (no errors, the
  // question off, or the player said "Igen").
  bool LetterMayGo(const QString& question);
  void ShowProblems(const std::vector<SheetProblem>& problems);
  void ShowLastSent();
  void ReportNoRoomForRow();
  void BrewPotion(const QString& caption);
  void RestoreWindowState();
  void KeepUnsavedWork();
  void CentreOnScreen();
  void OfferRecoveredSheets();
  void SaveWindowState() const;

  std::filesystem::path programDirectory_;
  IniFile ini_;
  Settings settings_;
  std::unique_ptr<FileAssociation> association_;
  EditorModel model_;
  SheetEditor editor_;
  QTabWidget* tabs_ = nullptr;
  DataTab* dataTab_ = nullptr;
  OrderTab* orderTab_ = nullptr;
  CommandPicker* picker_ = nullptr;
  OptionsDialog* options_ = nullptr;
  ListsTab* listsTab_ = nullptr;
  CharacterController* characters_ = nullptr;
  SheetOpenDialog* openDialog_ = nullptr;
  PreviewDialog* preview_ = nullptr;
  ProblemList* problems_ = nullptr;
  HelpWindows* help_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  bool firstShow_ = true;
  bool openedAtStart_ = false;
  bool placed_ = false;           // a stored place on a screen
  std::string lastSentShownFor_;  // the character whose last send "Adatok" shows
  std::unique_ptr<SheetRecovery> recovery_;
  QObject* tooltipSwitch_ = nullptr;
  QColor fontColour_;
  QMenu* potionMenu_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* popupPotionMenu_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* postAction_ = nullptr;
  QAction* mailAction_ = nullptr;
  QAction* copyAction_ = nullptr;
  QFont gridFont_;
};

}  // namespace mv::ui
