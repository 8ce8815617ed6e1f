#include "ui/DataTab.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QRegularExpressionValidator>

#include "store/CharacterStore.h"
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

DataTab::DataTab(EditorModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  auto* character = new QGroupBox(" Karakter ", this);
  character->setGeometry(8, 4, 300, 212);
  const auto* wholeNumber = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
  editKar = Field(character, "Karakterszám", "EditKar", 8, 20, 110, 80);
  editKar->setValidator(wholeNumber);
  editKar->setMaxLength(int(kCharacterNumberDigits));
  editSzamla = Field(character, "Számlaszám", "EditSzamla", 8, 46, 110, 80);
  editSzamla->setValidator(wholeNumber);
  editJelsz = Field(character, "Jelszó", "EditJelsz", 8, 72, 110, 170);
  editKarNev = Field(character, "Neve:", "EditKarNev", 8, 98, 110, 170);
  editKarLeiras = Field(character, "Leírása:", "EditKarLeiras", 8, 124, 110, 170);
  auto* dietLabel = new QLabel("Étrend:", character);
  dietLabel->setGeometry(8, 153, 110, 16);
  comboEtrend = new QComboBox(character);
  comboEtrend->setObjectName("ComboBox1");
  comboEtrend->setEditable(true);
  comboEtrend->addItems(
      {"Zöldvérű", "Rovarevő", "Micinista", "Mágiafaló", "Piromád", "Puhány", "Kőevő", "Tejivó", "Vegetáriánus"});
  comboEtrend->setCurrentText("");
  comboEtrend->setGeometry(118, 150, 170, 21);
  auto* raidLabel = new QLabel("Portya TVP-költsége:", character);
  raidLabel->setGeometry(8, 181, 130, 16);
  spinPortya = new QSpinBox(character);
  spinPortya->setObjectName("RxSpinEdit1");
  spinPortya->setRange(1, 100);
  spinPortya->setValue(10);
  spinPortya->setGeometry(138, 178, 60, 21);

  auto* store = new QGroupBox(" Karakterek kezelése ", this);
  store->setGeometry(316, 4, 284, 150);
  comboKar = new QComboBox(store);
  comboKar->setObjectName("ComboBoxKar");
  comboKar->setGeometry(8, 20, 268, 22);
  buttonLoad = Button(store, "Karakter betöltés", "BitBtnKarLoad", 8, 50, 130);
  buttonDelete = Button(store, "Karakter törlés", "BitBtnKarDelete", 146, 50, 130);
  buttonNew = Button(store, "Új karakter", "BitBtnKarNew", 8, 82, 130);
  buttonSave = Button(store, "Karakter mentés", "BitBtnKarSave", 146, 82, 130);
  buttonSaveDefault = Button(store, "Mentés alapértelmezettként", "ButtonKarSaveDef", 8, 114, 268);

  editFord = Field(this, "Forduló", "EditFord", 16, 224, 60, 60);
  editFord->setValidator(wholeNumber);

  auto* other = new QGroupBox(" Egyéb ", this);
  other->setGeometry(8, 254, 180, 138);
  checkUL = Check(other, "UL kérése", "CheckBoxUL", 18);
  checkJL = Check(other, "JL kérése", "CheckBoxJL", 40);
  checkEXT = Check(other, "EXTra forduló", "CheckBoxEXT", 62);
  checkKlub = Check(other, "Klub speciális kód", "CheckBoxKlub", 84);

  auto* form = new QGroupBox(" Küldési forma ", this);
  form->setGeometry(196, 222, 200, 170);
  const char* captions[5] = {"Base64", "Base64 és nyomtatva", "Uuencode", "Uuencode és nyomtatva", "Csak nyomtatva"};
  const char* names[5] = {"RadioButtonBase64", "RadioButtonBase64Ny", "RadioButtonUuen", "RadioButtonUuenNy",
                          "RadioButtonNy"};
  auto* group = new QButtonGroup(this);
  group->setExclusive(false);  // "none ticked" must stay possible
  for (int i = 0; i < 5; ++i) {
    delivery[std::size_t(i)] = new QRadioButton(captions[i], form);
    delivery[std::size_t(i)]->setObjectName(names[i]);
    delivery[std::size_t(i)]->setAutoExclusive(false);
    // Clear of the group's title, whatever the font.
    delivery[std::size_t(i)]->setGeometry(8, 22 + 21 * i, 184, 20);
  }
  buttonReset = Button(form, "Törlés", "ButtonReset", 8, 134, 90);
  buttonReset->setToolTip("Kitörli a választást");

  auto* queue = new QGroupBox(" Sorbanállós UL ", this);
  queue->setGeometry(404, 222, 196, 110);
  checkSorb = Check(queue, "Sorbanállós UL", "CheckBoxSorb", 18);
  auto* l1 = new QLabel("- KARAKTERSZÁMA:", queue);
  l1->setGeometry(8, 44, 120, 16);
  editSorbKar = new QLineEdit(queue);
  editSorbKar->setObjectName("EditSorbKar");
  editSorbKar->setMaxLength(4);
  editSorbKar->setGeometry(130, 42, 56, 21);
  auto* l2 = new QLabel("- FORDULÓ SZÁMA: ", queue);
  l2->setGeometry(8, 72, 120, 16);
  editSorbFord = new QLineEdit(queue);
  editSorbFord->setObjectName("EditSorbFord");
  editSorbFord->setMaxLength(4);
  editSorbFord->setGeometry(130, 70, 56, 21);

  lastSent_ = new QLabel(this);
  lastSent_->setObjectName("LabelUtoljaraElkuldve");
  lastSent_->setWordWrap(true);
  lastSent_->setGeometry(404, 338, 196, 34);

  Bind();
  ShowFields();
}

void DataTab::SetQueueEnabled(bool on) {
  editSorbKar->setEnabled(on);
  editSorbFord->setEnabled(on);
}

void DataTab::Bind() {
  auto bindText = [this](QLineEdit* edit, auto&& field) {
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& t) {
      if (!showing_) field(model_) = W(t);
    });
  };
  bindText(editKar, [](EditorModel& m) -> std::string& { return m.character.number; });
  bindText(editSzamla, [](EditorModel& m) -> std::string& { return m.character.account; });
  bindText(editJelsz, [](EditorModel& m) -> std::string& { return m.character.password; });
  bindText(editKarNev, [](EditorModel& m) -> std::string& { return m.character.name; });
  bindText(editKarLeiras, [](EditorModel& m) -> std::string& { return m.character.description; });
  bindText(editFord, [](EditorModel& m) -> std::string& { return m.fields.turn; });
  bindText(editSorbKar, [](EditorModel& m) -> std::string& { return m.fields.queueCharacter; });
  bindText(editSorbFord, [](EditorModel& m) -> std::string& { return m.fields.queueTurn; });
  connect(comboEtrend, &QComboBox::currentTextChanged, this, [this](const QString& t) {
    if (!showing_) model_.character.diet = W(t);
  });
  connect(spinPortya, &QSpinBox::valueChanged, this, [this](int v) {
    if (!showing_) model_.character.raidCost = v;
  });
  connect(editKarNev, &QLineEdit::textChanged, this, &DataTab::CharacterNameChanged);

  auto bindFlag = [this](QCheckBox* box, bool SheetFields::*flag) {
    connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
      if (!showing_) model_.fields.*flag = on;
    });
  };
  bindFlag(checkUL, &SheetFields::requestUL);
  bindFlag(checkJL, &SheetFields::requestJL);
  bindFlag(checkEXT, &SheetFields::extraTurn);
  bindFlag(checkKlub, &SheetFields::clubCode);

  for (int i = 0; i < 5; ++i) {
    connect(delivery[std::size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (showing_) return;
      if (on) {
        model_.fields.delivery = DeliveryForm(i + 1);
        ShowFields();  // unticks the others
      } else if (model_.fields.delivery == DeliveryForm(i + 1)) {
        delivery[std::size_t(i)]->setChecked(true);  // a radio button is unticked only by another or "Törlés"
      }
    });
  }
  connect(buttonReset, &QPushButton::clicked, this, [this] {
    model_.fields.delivery = DeliveryForm::None;
    ShowFields();
  });
  connect(checkSorb, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    model_.fields.queued = on;
    if (!on) {
      model_.fields.queueCharacter.clear();
      model_.fields.queueTurn.clear();
    }
    ShowFields();
  });
}

void DataTab::SetLastSent(const QString& text) { lastSent_->setText(text); }

void DataTab::ShowFields() {
  showing_ = true;
  const CharacterFields& c = model_.character;
  const SheetFields& f = model_.fields;
  auto set = [](QLineEdit* edit, const std::string& value) {
    const QString text = Q(value);
    if (edit->text() != text) edit->setText(text);
  };
  set(editKar, c.number);
  set(editSzamla, c.account);
  set(editJelsz, c.password);
  set(editKarNev, c.name);
  set(editKarLeiras, c.description);
  comboEtrend->setCurrentText(Q(c.diet));
  spinPortya->setValue(c.raidCost);
  set(editFord, f.turn);
  checkUL->setChecked(f.requestUL);
  checkJL->setChecked(f.requestJL);
  checkEXT->setChecked(f.extraTurn);
  checkKlub->setChecked(f.clubCode);
  for (int i = 0; i < 5; ++i) delivery[std::size_t(i)]->setChecked(f.delivery == DeliveryForm(i + 1));
  checkSorb->setChecked(f.queued);
  set(editSorbKar, f.queueCharacter);
  set(editSorbFord, f.queueTurn);
  SetQueueEnabled(f.queued);
  showing_ = false;
  emit CharacterNameChanged(editKarNev->text());
}

}  // namespace mv::ui
