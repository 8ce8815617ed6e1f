// The sheet as a file: new, open, save, save as, the .oul import, and the
// recovery copy that follows unsaved work and is offered after a crash.
#pragma once

#include <QObject>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "core/SheetEditor.h"
#include "store/Settings.h"
#include "store/SheetRecovery.h"
#include "ui/CharacterController.h"
#include "ui/SheetOpenDialog.h"

namespace mv::ui {

class SheetFileActions : public QObject {
  Q_OBJECT
 public:
  // settings: the window's applied settings (the open dialog's search paths).
  SheetFileActions(SheetEditor& editor, const Settings& settings, std::filesystem::path directory,
                   CharacterController* characters, QWidget* window);

  // Every folder the open dialog searches: the program directory first.
  std::vector<std::filesystem::path> SheetFolders() const;
  // Writes the recovery copy when the sheet changed since the last look; a
  // copy that cannot be written is said once, on a line that does not stop
  // the typing.
  void KeepUnsavedWork();
  // The one rule before the sheet is replaced or the window closes: a
  // modified sheet is saved first when the player wants it. False: leave
  // everything as it is (the player cancelled, or the save failed).
  bool MayReplaceSheet();
  // Offers each copy no running program holds; the first restored is ours.
  void OfferRecoveredSheets();
  // At a clean exit: nothing to recover.
  void DiscardRecoveryCopy() { recovery_->Discard(); }

 public slots:
  void NewSheet();
  // "Karakter betöltés": the sheet shown stays its own character's. A sheet
  // of another character is replaced (asking first when modified) by the
  // chosen character's current sheet, or an empty one when it has none.
  void SwitchCharacter(const std::string& key);
  void OpenSheetDialog();
  void OpenSheetFile(const QString& path);
  bool Save();
  bool SaveAs();
  // "UL a következő fordulóra": the next turn made from the window's sheet,
  // or from a sheet file (the board's cell). A sheet of that turn already
  // there is offered to open instead, never overwritten.
  void NextTurn();
  void NextTurnFrom(const QString& sheet);
  // "Importálás" / "Zendik-féle UL készítő (*.oul)".
  void ImportForeignSheet();
  void ImportForeignSheetFile(const QString& file);

 signals:
  // The orders should be in front.
  void ShowOrders();
  // A line for the status bar (a problem that must not stop the typing).
  void Notice(const QString& text);

 private:
  // A sheet without its character's key is refused with a word.
  bool MaySave();
  bool SaveTo(const std::filesystem::path& path);
  void LoadCharacter(const std::string& key) { characters_->LoadCharacter(key); }
  void ShowFailure(const std::string& message);
  // The window's sheet, unmodified or agreed to be replaced, becomes the
  // next turn's.
  void MakeNextTurn();

  SheetEditor& editor_;
  OrderDocument& document_;
  const Settings& settings_;
  std::filesystem::path directory_;
  CharacterController* characters_;
  QWidget* window_;
  SheetOpenDialog* openDialog_;
  std::unique_ptr<SheetRecovery> recovery_;
  bool recoveryFailureSaid_ = false;
};

}  // namespace mv::ui
