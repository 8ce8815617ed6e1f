#include "ui/CharacterController.h"

#include <QMessageBox>

#include "store/TextFile.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {
const char* const kNotSaved = "A karakter adatait nem sikerült elmenteni. Lehet, hogy az mv.ini írásvédett.";
}

CharacterController::CharacterController(EditorModel& model, IniFile& ini, std::filesystem::path directory,
                                         DataTab* tab, QPlainTextEdit* notes, QObject* parent)
    : QObject(parent), model_(model), ini_(ini), store_(ini), directory_(std::move(directory)), tab_(tab), notes_(notes) {
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

void CharacterController::Select(const std::string& item) { tab_->comboKar->setCurrentIndex(tab_->comboKar->findText(Q(item))); }

void CharacterController::FillCharacterList() {
  tab_->comboKar->clear();
  for (const std::string& item : store_.ListItems()) tab_->comboKar->addItem(Q(item));
  tab_->comboKar->setCurrentIndex(-1);
  emit ControlsChanged();
}

void CharacterController::LoadCharacter(const std::string& key) {
  model_.currentCharacterKey = key;
  const CharacterRecord r = store_.Load(key);
  model_.character = FieldsOf(r);
  const CharacterFields& c = model_.character;
  model_.fields.delivery = r.delivery;
  model_.deliveryFormIndex = r.delivery;
  tab_->ShowFields();
  Select(CharacterListItem(r.name, r.number));

  loadingNotes_ = true;
  notes_->clear();
  if (const auto text = ReadWholeFile(NotesPath(directory_, c.number))) notes_->setPlainText(MemoText(*text));
  loadingNotes_ = false;
  notesModified_ = false;
  store_.SetLast(SelectedKey());
  emit ControlsChanged();
}

void CharacterController::LoadSelected() {
  if (!tab_->comboKar->currentText().isEmpty()) LoadCharacter(SelectedKey());
  emit ControlsChanged();
}

void CharacterController::NewCharacter() {
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
                            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
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
  const std::string choice = ini_.Read("Karakterek", "Betolt");
  if (choice == "Utolso" || choice == "Alapertelmezett") {
    const std::string key = store_.Stored(choice);
    if (!key.empty()) LoadCharacter(key);
  }
  emit ControlsChanged();
}

bool CharacterController::SaveNotes() {
  const std::string& number = model_.character.number;
  const QString text = notes_->toPlainText();
  if (number.empty() || !notesModified_ || text.isEmpty()) return true;
  if (!WriteFileAtomically(NotesPath(directory_, number), FileText(text))) return false;
  notesModified_ = false;
  return true;
}

}  // namespace mv::ui
