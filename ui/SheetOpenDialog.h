// TFormULOpen, "UL megnyitása": a saved sheet chosen by character and turn.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <filesystem>
#include <optional>

#include "store/SheetScan.h"

namespace mv::ui {

class SheetOpenDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SheetOpenDialog(QWidget* parent = nullptr);

  // Scans the folders and fills the lists from the character list items.
  // False (after telling the player) when a sheet could not be read.
  bool Prepare(const std::vector<std::filesystem::path>& folders, const QStringList& characters);
  // The chosen sheet once the dialog was accepted.
  std::optional<std::filesystem::path> Chosen() const { return chosen_; }

  QListWidget* characterList() const { return characters_; }
  QListWidget* turnList() const { return turns_; }
  void Open();  // "M&egnyit"
  void OpenLastTurn();

 private:
  void FillTurns();

  QListWidget* characters_;
  QListWidget* turns_;
  std::vector<FoundSheet> found_;
  std::optional<std::filesystem::path> chosen_;
};

}  // namespace mv::ui
