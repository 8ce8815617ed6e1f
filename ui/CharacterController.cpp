#include "ui/CharacterController.h"

#include <QMessageBox>
#include <QSignalBlocker>
#include <QTimer>

#include "ui/MessageBoxes.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {
const char* const kNotSaved = "A karakter adatait nem sikerült elmenteni. Lehet, hogy az mv.ini írásvédett.";
const char* const kNotesNotSaved = "A jegyzeteket nem sikerült elmenteni.";
}  // namespace

CharacterController::CharacterController(CharacterSession& session, IniFile& ini, DataTab* tab, QPlainTextEdit* notes,
                                         DocumentSignals& changes, QObject* parent)
    : QObject(parent), ini_(ini), session_(session), tab_(tab), notes_(notes) {
  // The list and the notes follow the session.
  connect(&changes, &DocumentSignals::CharacterListChanged, this, &CharacterController::FillCharacterList);
  connect(&changes, &DocumentSignals::CharacterReplaced, this, &CharacterController::ShowNotes);
  connect(notes_, &QPlainTextEdit::textChanged, this, [this] {
    if (!loadingNotes_) notesModified_ = true;
  });
  connect(tab_->loadButton(), &QPushButton::clicked, this, &CharacterController::LoadSelected);
  connect(tab_->deleteButton(), &QPushButton::clicked, this, &CharacterController::DeleteCharacter);
  connect(tab_->newButton(), &QPushButton::clicked, this, &CharacterController::NewCharacter);
  connect(tab_->saveButton(), &QPushButton::clicked, this, &CharacterController::SaveCharacter);
  connect(tab_->saveDefaultButton(), &QPushButton::clicked, this, &CharacterController::SaveAsDefault);
  connect(tab_->characterList(), &QComboBox::currentIndexChanged, this, &CharacterController::SelectionChanged);
}

std::string CharacterController::SelectedKey() const {
  const QComboBox* list = tab_->characterList();
  return list->currentIndex() < 0 ? std::string() : KeyOfListItem(W(list->currentText()));
}

void CharacterController::Select(const std::string& item) {
  tab_->characterList()->setCurrentIndex(tab_->characterList()->findText(Q(item)));
}

void CharacterController::FillCharacterList() {
  items_.clear();
  for (const std::string& item : session_.ListItems()) items_ << Q(item);
  SortHungarian(items_);
  QComboBox* list = tab_->characterList();
  const QString chosen = list->currentText();
  const QSignalBlocker quiet(list);
  list->clear();
  list->addItems(items_);
  list->setCurrentIndex(list->findText(chosen));  // a choice that is still there stays
  emit SelectionChanged();
}

void CharacterController::SayNotSaved() { emit WriteFailed(Q(ini_.FailureMessage(W(kNotSaved)))); }

void CharacterController::KeepNotes() {
  if (!SaveNotes()) emit WriteFailed(kNotesNotSaved);
}

void CharacterController::ShowNotes() {
  loadingNotes_ = true;
  notes_->clear();
  const CharacterSession::NotesRead read = session_.ReadNotes();
  const bool tooLarge = read.status == CharacterSession::NotesRead::Status::TooLarge;
  // Too large for the memo: shown as why, never written.
  notes_->setReadOnly(tooLarge);
  notes_->setPlaceholderText(tooLarge ? Q(CharacterSession::NotesTooLargeMessage(read.file, read.size)) : QString());
  if (read.status == CharacterSession::NotesRead::Status::Loaded) notes_->setPlainText(MemoText(read.text));
  loadingNotes_ = false;
  notesModified_ = false;
}

void CharacterController::LoadCharacter(const std::string& key) {
  KeepNotes();  // before the session shows another character (and its notes)
  Select(session_.Load(key));
}

void CharacterController::LoadSelected() {
  if (!tab_->characterList()->currentText().isEmpty()) emit CharacterChosen(SelectedKey());
}

void CharacterController::NewCharacter() {
  KeepNotes();
  session_.New();
  tab_->characterList()->setCurrentIndex(-1);
}

void CharacterController::SaveCharacter() {
  const bool saved = session_.Save().has_value();
  Select(session_.ShownItem());
  if (!saved) SayNotSaved();
}

bool CharacterController::DeleteCharacter() {
  if (AskQuestion(tab_, "Biztos, hogy törlöd a Karaktert?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
      QMessageBox::Yes)
    return false;
  const std::string key = SelectedKey();
  const bool shown = session_.IsShown(key);
  if (shown) KeepNotes();
  const bool deleted = session_.Delete(key);
  if (shown) tab_->characterList()->setCurrentIndex(-1);
  if (!deleted) SayNotSaved();
  return true;
}

void CharacterController::SaveAsDefault() {
  if (!session_.SetDefault(SelectedKey())) SayNotSaved();
}

void CharacterController::LoadStartupCharacter() {
  if (const std::string key = session_.StartupKey(); !key.empty()) LoadCharacter(key);
}

bool CharacterController::SaveNotes() {
  if (!notesModified_) return true;
  const CharacterSession::NotesWrite written = session_.WriteNotes(FileText(notes_->toPlainText()));
  using Status = CharacterSession::NotesWrite::Status;
  if (written.status == Status::Failed) return false;
  if (written.status == Status::Conflict) {
    loadingNotes_ = true;
    notes_->setPlainText(MemoText(written.current));
    loadingNotes_ = false;
    // Said after the timer's round, not in the middle of it.
    const QString message = Q(CharacterSession::NotesConflictMessage(written.ownCopy));
    QTimer::singleShot(0, this, [this, message] { emit WriteFailed(message); });
  }
  notesModified_ = false;
  return true;
}

}  // namespace mv::ui
