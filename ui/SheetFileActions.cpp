#include "ui/SheetFileActions.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <cerrno>

#include "core/CharacterRules.h"
#include "core/NextTurn.h"
#include "store/OulImport.h"
#include "store/SheetDocument.h"
#include "turn/NextTurnFile.h"
#include "turn/TurnStatus.h"
#include "ui/Captions.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/Text.h"

namespace mv::ui {

SheetFileActions::SheetFileActions(SheetEditor& editor, const Settings& settings, std::filesystem::path directory,
                                   CharacterController* characters, QWidget* window)
    : QObject(window),
      editor_(editor),
      document_(editor.document()),
      settings_(settings),
      directory_(std::move(directory)),
      characters_(characters),
      window_(window),
      openDialog_(new SheetOpenDialog(window)),
      recovery_(std::make_unique<SheetRecovery>(directory_)) {}

void SheetFileActions::ShowFailure(const std::string& message) { Tell(window_, QMessageBox::Critical, Q(message)); }

std::vector<std::filesystem::path> SheetFileActions::SheetFolders() const {
  return mv::SheetFolders(directory_, settings_);
}

bool SheetFileActions::MayReplaceSheet() {
  if (!document_.modified()) return true;
  const auto answer = AskQuestion(window_, "Elmented a változásokat?",
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::No) return true;
  // A failed or cancelled save replaces nothing.
  return answer == QMessageBox::Yes && Save();
}

void SheetFileActions::NewSheet() {
  if (!MayReplaceSheet()) return;
  editor_.NewSheet();
}

void SheetFileActions::SwitchCharacter(const std::string& key) {
  if (key.empty()) return;
  const std::string& shown = editor_.character().key;
  // The same character, or a sheet that is nobody's yet and holds work: it stays.
  if (key == shown || (shown.empty() && document_.modified())) {
    LoadCharacter(key);
    return;
  }
  if (!MayReplaceSheet()) return;
  LoadCharacter(key);
  const CharacterTurns sheets = SheetsOf(SheetFolders(), key);
  if (!sheets.CurrentTurn()) {
    editor_.NewSheet();
    return;
  }
  const FileOutcome outcome =
      OpenSheet(editor_, sheets.sheets.rbegin()->second, [this](const std::string& other) { LoadCharacter(other); });
  if (outcome.failed()) {
    editor_.NewSheet();
    ShowFailure(outcome.message);
  }
}

void SheetFileActions::OpenSheetDialog() {
  if (!openDialog_->Prepare(SheetFolders(), characters_->Items())) return;
  if (openDialog_->exec() != QDialog::Accepted || !openDialog_->Chosen()) return;
  OpenSheetFile(QPath(*openDialog_->Chosen()));
}

void SheetFileActions::OpenSheetFile(const QString& path) {
  if (!MayReplaceSheet()) return;
  const FileOutcome outcome = OpenSheet(editor_, PathOf(path), [this](const std::string& key) { LoadCharacter(key); });
  if (outcome.failed()) ShowFailure(outcome.message);
}

bool SheetFileActions::SaveTo(const std::filesystem::path& path) {
  const FileOutcome outcome = SaveSheet(document_, editor_.character().key, path);
  if (outcome.failed()) ShowFailure(outcome.message);
  return !outcome.failed();
}

bool SheetFileActions::MaySave() {
  if (HasCharacterKey(editor_.character())) return true;
  Tell(window_, QMessageBox::Warning, "Nem lehet elmenteni az UL-t amíg nincs száma a karakternek");
  return false;
}

bool SheetFileActions::Save() {
  if (document_.fileName().empty()) return SaveAs();
  // A file of another character is never overwritten by "Ment": the player
  // says where this one goes.
  const SheetFileRead there = ReadSheetFile(document_.fileName());
  if (there.ok && there.content.characterKey != editor_.character().key) return SaveAs();
  return MaySave() && SaveTo(document_.fileName());
}

bool SheetFileActions::SaveAs() {
  if (!MaySave()) return false;
  QFileDialog dialog(window_, "UL mentése", QPath(directory_), "UL Form (*.ulf)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("ulf");
  FitFileDialog(dialog);
  dialog.selectFile(Q(DefaultSheetName(editor_.character().fields, document_.fields())));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return SaveTo(PathOf(dialog.selectedFiles().first()));
}

void SheetFileActions::NextTurn() {
  const auto turn = ValidTurn(document_.fields().turn);
  if (!turn) return;
  // A sheet of the next turn that is already there is the player's work.
  const std::string nextTurn = std::to_string(*turn + 1);
  if (const auto found =
          ExistingSheet(NextTurnFolders(SheetFolders(), document_.fileName()), editor_.character().key, nextTurn)) {
    const QString question =
        QString("Már van UL a(z) %1. fordulóra (%2). Megnyitod azt?").arg(Q(nextTurn), QPath(*found));
    if (AskQuestion(window_, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
      OpenSheetFile(QPath(*found));
    return;
  }
  if (!MayReplaceSheet()) return;
  MakeNextTurn();
}

void SheetFileActions::MakeNextTurn() {
  if (editor_.NextTurn()) emit ShowOrders();
}

void SheetFileActions::NextTurnFrom(const QString& sheet) {
  if (!MayReplaceSheet()) return;
  const FileOutcome outcome = OpenSheet(editor_, PathOf(sheet), [this](const std::string& key) { LoadCharacter(key); });
  if (outcome.failed()) return ShowFailure(outcome.message);
  NextTurn();
}

void SheetFileActions::ImportForeignSheet() {
  const QString file = ChooseFileToOpen(window_, "Importálás", directory_, "Zendik-féle UL (*.oul)");
  if (!file.isEmpty()) ImportForeignSheetFile(file);
}

void SheetFileActions::ImportForeignSheetFile(const QString& file) {
  if (!MayReplaceSheet()) return;
  const OulImport imported =
      ImportOul(editor_, PathOf(file), directory_, [this](const std::string& key) { LoadCharacter(key); });
  if (imported.outcome.failed()) {
    ShowFailure(imported.outcome.message);
    return;
  }
  emit ShowOrders();
}

void SheetFileActions::KeepUnsavedWork() {
  if (recovery_->Update(document_, editor_.character().key) || recoveryFailureSaid_) return;
  recoveryFailureSaid_ = true;
  emit Notice("Nem tudok helyreállítási másolatot írni: " + Q(WriteFailureReason(errno)));
}

void SheetFileActions::OfferRecoveredSheets() {
  Orphans orphans = recovery_->ClaimOrphans();
  if (!orphans.setAside.empty()) {
    QStringList names;
    for (const auto& file : orphans.setAside) names << Q(DisplayPath(file));
    Tell(window_, QMessageBox::Critical,
         "Egy el nem mentett UL helyreállítási másolata sérült, túl nagy vagy olvashatatlan, ezért nem ajánlom "
         "fel, hanem félretettem (nem töröltem):\n" +
             names.join('\n'));
  }
  for (RecoveredSheet& orphan : orphans.sheets) {
    const QString question = "Találtam egy el nem mentett UL-t (" + Q(orphan.description) + "). Visszaállítsam?";
    if (AskQuestion(window_, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes) {
      SheetRecovery::Forget(orphan);
      continue;
    }
    const FileOutcome outcome =
        SheetRecovery::Restore(editor_, orphan, SheetFolders(), [this](const std::string& key) { LoadCharacter(key); });
    if (outcome.failed()) {
      ShowFailure(outcome.message);
      continue;
    }
    emit ShowOrders();
    // Ours now; the others stay for the next start.
    if (recovery_->Update(document_, editor_.character().key)) SheetRecovery::Forget(orphan);
    return;
  }
}

}  // namespace mv::ui
