#include "ui/DataTab.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>

#include "core/CharacterRules.h"
#include "core/IntegerText.h"
#include "store/CharacterStore.h"
#include "ui/RuleValidator.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

QLineEdit* Field(QWidget* parent, const QString& caption, const char* name, int x, int y, int labelWidth, int width) {
  auto* label = new QLabel(caption, parent);
  label->setGeometry(x, y + 3, labelWidth, 16);
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(x + labelWidth, y, width, 21);
  label->setBuddy(edit);
  return edit;
}

QPushButton* Button(QWidget* parent, const QString& caption, const char* name, int x, int y, int w) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(x, y, w, 25);
  return b;
}

QCheckBox* Check(QWidget* parent, const QString& caption, const char* name, int y) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setGeometry(8, y, 160, 20);
  return box;
}

}  // namespace

DataTab::DataTab(SheetEditor& editor, CharacterSession& session, QWidget* parent)
    : QWidget(parent), editor_(editor), document_(editor.document()), character_(session) {
  auto* character = new QGroupBox(" Karakter ", this);
  character->setGeometry(8, 4, 300, 212);
  const auto* wholeNumber = new RuleValidator(IsDigitsOrEmpty, this);
  numberEdit_ = Field(character, "Karakterszám", "EditKar", 8, 20, 110, 80);
  numberEdit_->setValidator(new RuleValidator(IsValidCharacterNumberText, this));
  numberEdit_->setMaxLength(int(kCharacterNumberDigits));  // also for texts set, not typed
  accountEdit_ = Field(character, "Számlaszám", "EditSzamla", 8, 46, 110, 80);
  accountEdit_->setValidator(wholeNumber);
  passwordEdit_ = Field(character, "Jelszó", "EditJelsz", 8, 72, 110, 170);
  nameEdit_ = Field(character, "Neve:", "EditKarNev", 8, 98, 110, 170);
  descriptionEdit_ = Field(character, "Leírása:", "EditKarLeiras", 8, 124, 110, 170);
  auto* dietLabel = new QLabel("Étrend:", character);
  dietLabel->setGeometry(8, 153, 110, 16);
  dietBox_ = new QComboBox(character);
  dietBox_->setObjectName("ComboBox1");
  dietBox_->setEditable(true);
  for (const std::string_view diet : DietNames()) dietBox_->addItem(Q(diet));
  dietBox_->setCurrentText("");
  dietBox_->setGeometry(118, 150, 170, 21);
  auto* raidLabel = new QLabel("Portya TVP-költsége:", character);
  raidLabel->setGeometry(8, 181, 130, 16);
  raidCostBox_ = new QSpinBox(character);
  raidCostBox_->setObjectName("RxSpinEdit1");
  raidCostBox_->setRange(kMinRaidCost, kMaxRaidCost);
  raidCostBox_->setValue(kDefaultRaidCost);
  raidCostBox_->setGeometry(138, 178, 60, 21);

  auto* store = new QGroupBox(" Karakterek kezelése ", this);
  store->setGeometry(316, 4, 284, 150);
  characterList_ = new QComboBox(store);
  characterList_->setObjectName("ComboBoxKar");
  characterList_->setGeometry(8, 20, 268, 22);
  loadButton_ = Button(store, "Karakter betöltés", "BitBtnKarLoad", 8, 50, 130);
  deleteButton_ = Button(store, "Karakter törlés", "BitBtnKarDelete", 146, 50, 130);
  newButton_ = Button(store, "Új karakter", "BitBtnKarNew", 8, 82, 130);
  saveButton_ = Button(store, "Karakter mentés", "BitBtnKarSave", 146, 82, 130);
  saveDefaultButton_ = Button(store, "Mentés alapértelmezettként", "ButtonKarSaveDef", 8, 114, 268);

  turnEdit_ = Field(this, "Forduló", "EditFord", 16, 224, 60, 60);
  turnEdit_->setValidator(wholeNumber);

  auto* other = new QGroupBox(" Egyéb ", this);
  other->setGeometry(8, 254, 180, 138);
  requestULBox_ = Check(other, "UL kérése", "CheckBoxUL", 18);
  requestJLBox_ = Check(other, "JL kérése", "CheckBoxJL", 40);
  extraTurnBox_ = Check(other, "EXTra forduló", "CheckBoxEXT", 62);
  clubCodeBox_ = Check(other, "Klub speciális kód", "CheckBoxKlub", 84);

  auto* form = new QGroupBox(" Küldési forma ", this);
  form->setGeometry(196, 222, 200, 170);
  const char* captions[5] = {"Base64", "Base64 és nyomtatva", "Uuencode", "Uuencode és nyomtatva", "Csak nyomtatva"};
  const char* names[5] = {"RadioButtonBase64", "RadioButtonBase64Ny", "RadioButtonUuen", "RadioButtonUuenNy",
                          "RadioButtonNy"};
  auto* group = new QButtonGroup(this);
  group->setExclusive(false);  // "none ticked" must stay possible
  for (int i = 0; i < 5; ++i) {
    deliveryButtons_[std::size_t(i)] = new QRadioButton(captions[i], form);
    deliveryButtons_[std::size_t(i)]->setObjectName(names[i]);
    deliveryButtons_[std::size_t(i)]->setAutoExclusive(false);
    // Clear of the group's title, whatever the font.
    deliveryButtons_[std::size_t(i)]->setGeometry(8, 22 + 21 * i, 184, 20);
  }
  resetDeliveryButton_ = Button(form, "Törlés", "ButtonReset", 8, 134, 90);
  resetDeliveryButton_->setToolTip("Kitörli a választást");

  auto* queue = new QGroupBox(" Sorbanállós UL ", this);
  queue->setGeometry(404, 222, 196, 110);
  queuedBox_ = Check(queue, "Sorbanállós UL", "CheckBoxSorb", 18);
  auto* l1 = new QLabel("- KARAKTERSZÁMA:", queue);
  l1->setGeometry(8, 44, 120, 16);
  queueCharacterEdit_ = new QLineEdit(queue);
  queueCharacterEdit_->setObjectName("EditSorbKar");
  queueCharacterEdit_->setMaxLength(int(kCharacterNumberDigits));
  queueCharacterEdit_->setGeometry(130, 42, 56, 21);
  auto* l2 = new QLabel("- FORDULÓ SZÁMA: ", queue);
  l2->setGeometry(8, 72, 120, 16);
  queueTurnEdit_ = new QLineEdit(queue);
  queueTurnEdit_->setObjectName("EditSorbFord");
  queueTurnEdit_->setMaxLength(4);
  queueTurnEdit_->setGeometry(130, 70, 56, 21);

  lastSent_ = new QLabel(this);
  lastSent_->setObjectName("LabelUtoljaraElkuldve");
  lastSent_->setWordWrap(true);
  lastSent_->setGeometry(404, 338, 196, 34);

  Bind();
  ShowFields();
}

void DataTab::SetQueueEnabled(bool on) {
  queueCharacterEdit_->setEnabled(on);
  queueTurnEdit_->setEnabled(on);
}

void DataTab::Bind() {
  auto bindCharacter = [this](QLineEdit* edit, std::string CharacterFields::*field) {
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& t) {
      if (!showing_) character_.EditCharacter([&](CharacterFields& c) { c.*field = W(t); });
    });
  };
  bindCharacter(numberEdit_, &CharacterFields::number);
  bindCharacter(accountEdit_, &CharacterFields::account);
  bindCharacter(passwordEdit_, &CharacterFields::password);
  bindCharacter(nameEdit_, &CharacterFields::name);
  bindCharacter(descriptionEdit_, &CharacterFields::description);
  auto bindSheet = [this](QLineEdit* edit, std::string SheetFields::*field) {
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& t) {
      if (!showing_) editor_.EditFields([&](SheetFields& f) { f.*field = W(t); });
    });
  };
  bindSheet(turnEdit_, &SheetFields::turn);
  bindSheet(queueCharacterEdit_, &SheetFields::queueCharacter);
  bindSheet(queueTurnEdit_, &SheetFields::queueTurn);
  connect(dietBox_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
    if (!showing_) character_.EditCharacter([&](CharacterFields& c) { c.diet = W(t); });
  });
  connect(raidCostBox_, &QSpinBox::valueChanged, this, [this](int v) {
    if (!showing_) character_.EditCharacter([&](CharacterFields& c) { c.raidCost = v; });
  });
  connect(nameEdit_, &QLineEdit::textChanged, this, &DataTab::CharacterNameChanged);

  auto bindFlag = [this](QCheckBox* box, bool SheetFields::*flag) {
    connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
      if (!showing_) editor_.EditFields([&](SheetFields& f) { f.*flag = on; });
    });
  };
  bindFlag(requestULBox_, &SheetFields::requestUL);
  bindFlag(requestJLBox_, &SheetFields::requestJL);
  bindFlag(extraTurnBox_, &SheetFields::extraTurn);
  bindFlag(clubCodeBox_, &SheetFields::clubCode);

  for (int i = 0; i < 5; ++i) {
    connect(deliveryButtons_[std::size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (showing_) return;
      if (on) {
        editor_.EditFields([&](SheetFields& f) { f.delivery = DeliveryForm(i + 1); });  // the others untick
      } else if (document_.fields().delivery == DeliveryForm(i + 1)) {
        deliveryButtons_[std::size_t(i)]->setChecked(true);  // a radio button is unticked only by another or "Törlés"
      }
    });
  }
  connect(resetDeliveryButton_, &QPushButton::clicked, this,
          [this] { editor_.EditFields([](SheetFields& f) { f.delivery = DeliveryForm::None; }); });
  connect(queuedBox_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    editor_.EditFields([on](SheetFields& f) {
      f.queued = on;
      if (!on) {
        f.queueCharacter.clear();
        f.queueTurn.clear();
      }
    });
  });
}

void DataTab::EnableCharacterButtons(bool storable, bool selected) {
  saveButton_->setEnabled(storable);
  for (QPushButton* b : {loadButton_, deleteButton_, saveDefaultButton_}) b->setEnabled(selected);
}

void DataTab::SetPasswordMasked(bool masked) {
  passwordEdit_->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void DataTab::SetLastSent(const QString& text) { lastSent_->setText(text); }

void DataTab::ShowFields() {
  showing_ = true;
  const CharacterFields& c = character_.shown().fields;
  const SheetFields& f = document_.fields();
  auto set = [](QLineEdit* edit, const std::string& value) {
    const QString text = Q(value);
    if (edit->text() != text) edit->setText(text);
  };
  set(numberEdit_, c.number);
  set(accountEdit_, c.account);
  set(passwordEdit_, c.password);
  set(nameEdit_, c.name);
  set(descriptionEdit_, c.description);
  dietBox_->setCurrentText(Q(c.diet));
  raidCostBox_->setValue(c.raidCost);
  set(turnEdit_, f.turn);
  requestULBox_->setChecked(f.requestUL);
  requestJLBox_->setChecked(f.requestJL);
  extraTurnBox_->setChecked(f.extraTurn);
  clubCodeBox_->setChecked(f.clubCode);
  for (int i = 0; i < 5; ++i) deliveryButtons_[std::size_t(i)]->setChecked(f.delivery == DeliveryForm(i + 1));
  queuedBox_->setChecked(f.queued);
  set(queueCharacterEdit_, f.queueCharacter);
  set(queueTurnEdit_, f.queueTurn);
  SetQueueEnabled(f.queued);
  showing_ = false;
  emit CharacterNameChanged(nameEdit_->text());
}

}  // namespace mv::ui
