#include "ui/AcrossTurnsActions.h"

#include "platform/Paths.h"
#include "store/SentArchive.h"
#include "turn/CurrentSheet.h"
#include "ui/MessageBoxes.h"
#include "ui/Text.h"

namespace mv::ui {

AcrossTurnsActions::AcrossTurnsActions(SheetEditor& editor, SheetFileActions* files, LetterActions* letters,
                                       IniFile& ini, std::filesystem::path programDirectory,
                                       std::function<void(int row)> showRow, QWidget* window)
    : QObject(window),
      editor_(editor),
      files_(files),
      letters_(letters),
      ini_(ini),
      programDirectory_(std::move(programDirectory)),
      showRow_(std::move(showRow)),
      window_(window) {}

void AcrossTurnsActions::ShowBoard() {
  if (!board_) {
    board_ = new TurnBoard(
        programDirectory_, ini_.path(), editor_.lists(), [this] { return files_->SheetFolders(); }, window_);
    connect(board_, &TurnBoard::OpenRequested, this, [this](const QString& sheet) {
      files_->OpenSheetFile(sheet);
      showRow_(editor_.view().row());  // the opened orders in front, where the player goes on
    });
    connect(board_, &TurnBoard::NextTurnRequested, files_, &SheetFileActions::NextTurnFrom);
    connect(board_, &TurnBoard::DiffRequested, this, [this](const QString& sheet) {
      files_->OpenSheetFile(sheet);
      if (editor_.document().fileName() == Utf8(PathOf(sheet))) ShowDiffWithSent();
    });
    connect(board_, &TurnBoard::NextNeedingRequested, this, &AcrossTurnsActions::GoToNextNeeding);
    connect(board_, &TurnBoard::SendAllRequested, this, [this] {
      // What goes out is what is on disk: the window's sheet is saved first if the player wants.
      if (!files_->MayReplaceSheet()) return;
      board_->RefreshThen([this] { letters_->SendAll(board_->CurrentSheets()); });
    });
  }
  board_->Refresh();
  board_->show();
  board_->raise();
  board_->activateWindow();
}

void AcrossTurnsActions::RefreshBoard() {
  if (board_ && board_->isVisible()) board_->Refresh();
}

void AcrossTurnsActions::CloseBoard() {
  if (board_) board_->close();
}

void AcrossTurnsActions::DeleteBoard() { delete board_; }

void AcrossTurnsActions::ShowDiff() {
  const KeptLetters kept(programDirectory_);
  const bool sent = kept.Newest(editor_.character().key, editor_.document().fields().turn) != nullptr;
  ShowDiffAgainst(sent ? DiffWindow::Against::Sent : DiffWindow::Against::TurnBefore);
}

void AcrossTurnsActions::ShowDiffWithSent() { ShowDiffAgainst(DiffWindow::Against::Sent); }

void AcrossTurnsActions::ShowDiffAgainst(DiffWindow::Against against) {
  if (!diff_) {
    diff_ = new DiffWindow(window_);
    connect(diff_, &DiffWindow::GoToRow, this, [this](int row) { showRow_(row); });
  }
  // Each look compares the sheet as it stands then.
  const auto compare = [this](DiffWindow::Against side) {
    const SheetContent shown = editor_.document().Content(editor_.character().key);
    const Lookups lookups = editor_.lookups();
    return side == DiffWindow::Against::Sent ? CompareWithSent(shown, programDirectory_, lookups)
                                             : CompareWithTurnBefore(shown, files_->SheetFolders(), lookups);
  };
  diff_->ShowComparison(compare, against);
  diff_->show();
  diff_->raise();
  diff_->activateWindow();
}

void AcrossTurnsActions::ShowSearch() {
  if (!search_) {
    search_ = new SearchWindow(
        editor_.lists(), [this] { return ScanTurns(files_->SheetFolders(), ini_, editor_.lists()); }, window_);
    connect(search_, &SearchWindow::OpenAt, this, [this](const QString& sheet, int row) {
      files_->OpenSheetFile(sheet);
      // Only when that sheet is now the one shown: the player may have kept his.
      if (editor_.document().fileName() == Utf8(PathOf(sheet))) showRow_(row);
    });
  }
  search_->show();
  search_->raise();
  search_->activateWindow();
  search_->text()->setFocus();
  search_->text()->selectAll();
}

void AcrossTurnsActions::GoToNextNeeding() {
  const TurnLook look = LookAtTurns(programDirectory_, files_->SheetFolders(), ini_, editor_.lists());
  const auto next = NextNeedingThePlayer(look.current, editor_.character().key);
  if (!next) {
    Tell(window_, QMessageBox::Information, "Minden UL elküldve vagy küldhető.");
    return;
  }
  const CurrentSheet& sheet = look.current[next->index];
  if (next->step == NextStep::NextTurn) {
    files_->NextTurnFrom(QPath(sheet.status.sheet));
  } else if (!sheet.status.sheet.empty()) {
    files_->OpenSheetFile(QPath(sheet.status.sheet));
  } else {
    files_->SwitchCharacter(sheet.character.key);  // its empty sheet
  }
  showRow_(editor_.view().row());
}

}  // namespace mv::ui
