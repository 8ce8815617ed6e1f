#include "ui/SheetFileActions.h"

#include <QFileDialog>
#include <QMessageBox>

#include "core/CharacterRules.h"
#include "store/OulImport.h"
#include "store/SheetDocument.h"
#include "ui/Captions.h"
#include "ui/Text.h"

namespace mv::ui {

SheetFileActions::SheetFileActions(SheetEditor& editor, const Settings& settings, std::filesystem::path directory,
                                   CharacterController* characters, QWidget* window)
    : QObject(window),
      editor_(editor),
      model_(editor.model()),
      settings_(settings),
      directory_(std::move(directory)),
      characters_(characters),
      window_(window),
      openDialog_(new SheetOpenDialog(window)),
      recovery_(std::make_unique<SheetRecovery>(directory_)) {}

void SheetFileActions::ShowFailure(const std::string& message) {
  QMessageBox::critical(window_, kApplicationTitle, Q(message));
}

std::vector<std::filesystem::path> SheetFileActions::SheetFolders() const {
  std::vector<std::filesystem::path> folders{directory_};
  for (const std::string& path : settings_.searchPaths) folders.emplace_back(Q(path).toStdString());
  return folders;
}

void SheetFileActions::NewSheet() {
  editor_.NewSheet();
  emit SheetReplaced();
}

void SheetFileActions::OpenSheetDialog() {
  if (!openDialog_->Prepare(SheetFolders(), characters_->Items())) return;
  if (openDialog_->exec() != QDialog::Accepted || !openDialog_->Chosen()) return;
  OpenSheetFile(QString::fromStdString(openDialog_->Chosen()->string()));
}

void SheetFileActions::OpenSheetFile(const QString& path) {
  const FileOutcome outcome =
      OpenSheet(editor_, path.toStdString(), [this](const std::string& key) { LoadCharacter(key); });
  emit SheetReplaced();
  if (outcome.failed()) ShowFailure(outcome.message);
}

bool SheetFileActions::SaveTo(const std::filesystem::path& path) {
  const FileOutcome outcome = SaveSheet(model_, path);
  if (outcome.failed()) ShowFailure(outcome.message);
  return !outcome.failed();
}

bool SheetFileActions::MaySave() {
  if (HasCharacterKey(model_)) return true;
  QMessageBox::warning(window_, kApplicationTitle, "Nem lehet elmenteni az UL-t amíg nincs száma a karakternek");
  return false;
}

bool SheetFileActions::Save() {
  if (model_.sheetFileName.empty()) return SaveAs();
  return MaySave() && SaveTo(model_.sheetFileName);
}

bool SheetFileActions::SaveAs() {
  if (!MaySave()) return false;
  QFileDialog dialog(window_, "UL mentése", QString::fromStdString(directory_.string()), "UL Form (*.ulf)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("ulf");
  dialog.selectFile(Q(DefaultSheetName(model_)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return SaveTo(dialog.selectedFiles().first().toStdString());
}

void SheetFileActions::ImportForeignSheet() {
  const QString file = QFileDialog::getOpenFileName(window_, "Importálás", QString::fromStdString(directory_.string()),
                                                    "Zendik-féle UL (*.oul)");
  if (!file.isEmpty()) ImportForeignSheetFile(file);
}

void SheetFileActions::ImportForeignSheetFile(const QString& file) {
  const OulImport imported =
      ImportOul(editor_, file.toStdString(), directory_, [this](const std::string& key) { LoadCharacter(key); });
  if (imported.outcome.failed()) {
    ShowFailure(imported.outcome.message);
    return;
  }
  emit SheetReplaced();
  emit ShowOrders();
}

void SheetFileActions::KeepUnsavedWork() { recovery_->Update(model_); }

void SheetFileActions::OfferRecoveredSheets() {
  std::vector<RecoveredSheet> orphans = recovery_->ClaimOrphans();
  for (RecoveredSheet& orphan : orphans) {
    const QString question = "Találtam egy el nem mentett UL-t (" + Q(orphan.description) + "). Visszaállítsam?";
    if (QMessageBox::question(window_, kWindowCaption, question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) != QMessageBox::Yes) {
      SheetRecovery::Forget(orphan);
      continue;
    }
    const FileOutcome outcome =
        SheetRecovery::Restore(editor_, orphan, [this](const std::string& key) { LoadCharacter(key); });
    emit SheetReplaced();
    if (outcome.failed()) {
      ShowFailure(outcome.message);
      continue;
    }
    emit ShowOrders();
    // Ours now; the others stay for the next start.
    if (recovery_->Update(model_)) SheetRecovery::Forget(orphan);
    return;
  }
}

}  // namespace mv::ui
