#include "ui/CharacterController.h"

#include <QMessageBox>

#include "store/TextFile.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {
const char* const kNotSaved = "A karakter adatait nem sikerült elmenteni. Lehet, hogy az mv.ini írásvédett.";
const char* const kNotesNotSaved = "A jegyzeteket nem sikerült elmenteni.";
}  // namespace

CharacterController::CharacterController(EditorModel& model, IniFile& ini, std::filesystem::path directory,
                                         DataTab* tab, QPlainTextEdit* notes, QObject* parent)
    : QObject(parent),
      model_(model),
      ini_(ini),
      store_(ini),
      directory_(std::move(directory)),
      tab_(tab),
      notes_(notes) {
  connect(notes_, &QPlainTextEdit::textChanged, this, [this] {
    if (!loadingNotes_) notesModified_ = true;
  });
  connect(tab_->buttonLoad, &QPushButton::clicked, this, &CharacterController::LoadSelected);
  connect(tab_->buttonDelete, &QPushButton::clicked, this, &CharacterController::DeleteCharacter);
  connect(tab_->buttonNew, &QPushButton::clicked, this, &CharacterController::NewCharacter);
  connect(tab_->buttonSave, &QPushButton::clicked, this, &CharacterController::SaveCharacter);
  connect(tab_->buttonSaveDefault, &QPushButton::clicked, this, &CharacterController::SaveAsDefault);
  connect(tab_->comboKar, &QComboBox::currentIndexChanged, this, &CharacterController::ControlsChanged);
}

std::string CharacterController::SelectedKey() const {
  return tab_->comboKar->currentIndex() < 0 ? std::string() : KeyOfListItem(W(tab_->comboKar->currentText()));
}

void CharacterController::Select(const std::string& item) {
  tab_->comboKar->setCurrentIndex(tab_->comboKar->findText(Q(item)));
}

void CharacterController::FillCharacterList() {
  tab_->comboKar->clear();
  QStringList items;
  for (const std::string& item : store_.ListItems()) items << Q(item);
  SortHungarian(items);
  tab_->comboKar->addItems(items);
  tab_->comboKar->setCurrentIndex(-1);
  emit ControlsChanged();
}

void CharacterController::KeepNotes() {
  if (!SaveNotes()) emit WriteFailed(kNotesNotSaved);
}

void CharacterController::LoadCharacter(const std::string& key) {
  KeepNotes();
  const CharacterRecord r = store_.Load(key);
  ShowCharacter(model_, key, r);
  const CharacterFields& c = model_.character;
  tab_->ShowFields();
  Select(CharacterListItem(r.name, r.number));

  loadingNotes_ = true;
  notes_->clear();
  if (const auto text = ReadWholeFile(NotesPath(directory_, c.number))) notes_->setPlainText(MemoText(*text));
  loadingNotes_ = false;
  notesModified_ = false;
  // Only a stored character becomes the last used one.
  if (const std::string stored = SelectedKey(); !stored.empty()) store_.SetLast(stored);
  emit ControlsChanged();
}

void CharacterController::LoadSelected() {
  if (!tab_->comboKar->currentText().isEmpty()) LoadCharacter(SelectedKey());
  emit ControlsChanged();
}

void CharacterController::NewCharacter() {
  KeepNotes();
  model_.currentCharacterKey.clear();
  model_.character = CharacterFields{};
  model_.fields.turn = "1";
  model_.fields.delivery = DeliveryForm::None;
  model_.deliveryFormIndex = DeliveryForm::None;
  tab_->ShowFields();
  tab_->comboKar->setCurrentIndex(-1);
  loadingNotes_ = true;
  notes_->clear();
  loadingNotes_ = false;
  notesModified_ = false;
  emit ControlsChanged();
}

void CharacterController::SaveCharacter() {
  const CharacterFields& c = model_.character;
  model_.currentCharacterKey = c.number;
  const bool ok = store_.Save(RecordOf(c, model_.fields.delivery));
  FillCharacterList();
  Select(CharacterListItem(c.name, c.number));
  emit ControlsChanged();
  if (!ok) emit WriteFailed(kNotSaved);
}

bool CharacterController::DeleteCharacter() {
  if (QMessageBox::question(tab_, tab_->window()->windowTitle(), "Biztos, hogy törlöd a Karaktert?",
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
    return false;
  const std::string key = SelectedKey();
  const bool ok = store_.Delete(key);
  if (model_.character.number == key) NewCharacter();
  FillCharacterList();
  if (!ok) emit WriteFailed(kNotSaved);
  return true;
}

void CharacterController::SaveAsDefault() {
  if (!store_.SetDefault(SelectedKey())) emit WriteFailed(kNotSaved);
  emit ControlsChanged();
}

void CharacterController::LoadStartupCharacter() {
  if (const std::string key = StartupCharacterKey(ini_); !key.empty()) LoadCharacter(key);
  emit ControlsChanged();
}

bool CharacterController::SaveNotes() {
  const std::string& number = model_.character.number;
  if (number.empty() || !notesModified_) return true;
  const QString text = notes_->toPlainText();
  const std::filesystem::path file = NotesPath(directory_, number);
  std::error_code ec;
  // Emptied notes empty the file; no file is made for no notes.
  if (text.isEmpty() && !std::filesystem::exists(file, ec)) {
    notesModified_ = false;
    return true;
  }
  if (!WriteFileAtomically(file, FileText(text))) return false;
  notesModified_ = false;
  return true;
}

}  // namespace mv::ui
