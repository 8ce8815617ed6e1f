#include "ui/OptionsDialog.h"

#include "letter/MailAutoconfig.h"
#include "letter/MapiMail.h"
#include "ui/MessageBoxes.h"
#include "ui/SendProgress.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/Text.h"

namespace mv::ui {

namespace {

QCheckBox* Box(QVBoxLayout* layout, const QString& caption, const char* name) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  layout->addWidget(box);
  return box;
}

// A page with a vertical layout that the builder fills.
std::pair<QWidget*, QVBoxLayout*> Page(const QString& title) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* heading = new QLabel("<b>" + title + "</b>");
  layout->addWidget(heading);
  return {page, layout};
}

// A colour field that a click, Space or Enter opens; it takes the keyboard
// focus like a button.
class ColourLabel : public QLabel {
 public:
  ColourLabel(const QString& text, std::function<void()> clicked) : QLabel(text), clicked_(std::move(clicked)) {
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMinimumSize(90, 24);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(text + " színe");
  }

 protected:
  void mousePressEvent(QMouseEvent*) override { clicked_(); }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
      clicked_();
      return;
    }
    QLabel::keyPressEvent(event);
  }
  // The focus must show on a label too.
  void focusInEvent(QFocusEvent* event) override {
    setFrameShadow(QFrame::Sunken);
    setLineWidth(2);
    QLabel::focusInEvent(event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    QLabel::focusOutEvent(event);
  }

 private:
  std::function<void()> clicked_;
};

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormOptions");
  setWindowTitle("Beállítások");
  tree_ = new QTreeWidget(this);
  tree_->setAccessibleName("Beállítások");
  tree_->setHeaderHidden(true);
  tree_->setFixedWidth(170);
  pages_ = new QStackedWidget(this);

  const std::pair<const char*, std::vector<std::pair<const char*, QWidget*>>> groups[] = {
      {"Működés",
       {{"Program indítása", StartupPage()},
        {"Integráció", IntegrationPage()},
        {"E-MAIL", MailPage()},
        {"Keresési útvonalak", SearchPathPage()}}},
      {"Megjelenés", {{"Egér követése", MousePage()}, {"Gyorstipp", TooltipPage()}, {"UL-Szerkesztő", GridPage()}}},
      {"Biztonság", {{"Jelszó", PasswordPage()}, {"UL elküldése", SendPage()}}},
  };
  for (const auto& [group, leaves] : groups) {
    auto* item = new QTreeWidgetItem(tree_, {group});
    item->setFlags(Qt::ItemIsEnabled);
    for (const auto& [leaf, page] : leaves) {
      auto* child = new QTreeWidgetItem(item, {leaf});
      child->setData(0, Qt::UserRole, pages_->addWidget(page));
    }
  }
  tree_->expandAll();
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item && item->data(0, Qt::UserRole).isValid()) pages_->setCurrentIndex(item->data(0, Qt::UserRole).toInt());
  });
  tree_->setCurrentItem(tree_->topLevelItem(0)->child(0));

  auto* ok = new QPushButton("&OK");
  ok->setDefault(true);
  auto* apply = new QPushButton("&Alkalmaz");
  auto* cancel = new QPushButton("&Mégse");
  connect(ok, &QPushButton::clicked, this, [this] {
    emit ApplyRequested();
    accept();
  });
  connect(apply, &QPushButton::clicked, this, &OptionsDialog::ApplyRequested);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(apply);
  buttons->addWidget(cancel);
  auto* body = new QHBoxLayout;
  body->addWidget(tree_);
  body->addWidget(pages_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addLayout(buttons);
  resize(660, 440);
}

QWidget* OptionsDialog::StartupPage() {
  auto [page, layout] = Page("Program indítása");
  layout->addWidget(new QLabel("Induláskor a program:"));
  const char* captions[3] = {"Ne töltsön be semmit", "Az alapértelmezett karaktert:", "Az utoljára használt karaktert"};
  for (int i = 0; i < 3; ++i) {
    startup_[std::size_t(i)] = new QRadioButton(captions[i]);
    startup_[std::size_t(i)]->setObjectName(QString("RadioButton%1").arg(i + 1));
    layout->addWidget(startup_[std::size_t(i)]);
    if (i == 1) {
      defaultCharacter_ = new QLabel;
      defaultCharacter_->setObjectName("LabelKarDef");
      defaultCharacter_->setIndent(24);
      layout->addWidget(defaultCharacter_);
    }
  }
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::IntegrationPage() {
  auto [page, layout] = Page("Integráció");
  association_ = Box(layout, "Az .ulf fájlokat ez a program nyissa meg", "CheckBox1");
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::MailPage() {
  auto [page, layout] = Page("E-MAIL");
  // The address first: the rest can be filled in from it.
  auto* senderRow = new QHBoxLayout;
  auto* senderCaption = new QLabel("&Feladó címe:");
  smtpSender_ = new QLineEdit;
  smtpSender_->setObjectName("EditSmtpSender");
  senderCaption->setBuddy(smtpSender_);
  auto* fill = new QPushButton("Kitöltés a cím alapján");
  fill->setObjectName("ButtonKitoltes");
  fill->setToolTip("A levelezési szolgáltatód adataiból kikeresi a kimenő (SMTP) kiszolgálót.");
  connect(fill, &QPushButton::clicked, this, &OptionsDialog::FillFromAddress);
  senderRow->addWidget(senderCaption);
  senderRow->addWidget(smtpSender_, 1);
  senderRow->addWidget(fill);
  layout->addLayout(senderRow);
  mailNote_ = new QLabel;
  mailNote_->setObjectName("LabelLevelezesForras");
  mailNote_->setWordWrap(true);
  mailNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  mailNote_->hide();  // until a lookup has something to say
  layout->addWidget(mailNote_);
  layout->addWidget(new QLabel("A program ide küldje az UL-eket:"));
  recipient_ = new QLineEdit;
  recipient_->setObjectName("Edit1");
  layout->addWidget(recipient_);
  // Windows: the player's own mail program may send instead (Simple MAPI).
  viaMapi_ = new QCheckBox("Levelezőprogrammal (MAPI)");
  viaMapi_->setObjectName("CheckBoxMapi");
  viaMapi_->setToolTip("A Windowsban beállított levelezőprogram küldi el a levelet; a kiszolgáló adatai nem kellenek.");
  viaMapi_->setVisible(MapiOffered());
  layout->addWidget(viaMapi_);
  layout->addWidget(new QLabel("A levelet ezen a levelezőkiszolgálón (SMTP) át küldje:"));
  auto* form = new QFormLayout;
  auto field = [&](const QString& caption, const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    form->addRow(caption, edit);
    return edit;
  };
  smtpServer_ = field("Kiszolgáló:", "EditSmtpServer");
  smtpPort_ = field("Port:", "EditSmtpPort");
  smtpPort_->setValidator(new QIntValidator(1, 65535, smtpPort_));
  smtpSecurity_ = new QComboBox;
  smtpSecurity_->setObjectName("ComboSmtpSecurity");
  smtpSecurity_->addItems({"Nincs", "STARTTLS", "TLS"});
  form->addRow("Titkosítás:", smtpSecurity_);
  smtpCaFile_ = field("CA-fájl:", "EditSmtpCaFile");
  smtpCaFile_->setToolTip("Egy saját kiszolgáló tanúsítványa (PEM), ha a rendszer nem bízik meg benne.");
  smtpUser_ = field("Felhasználónév:", "EditSmtpUser");
  smtpPassword_ = field("Jelszó:", "EditSmtpPassword");
  smtpPassword_->setEchoMode(QLineEdit::Password);
  askPassword_ = new QCheckBox("Ne tárolja a jelszót, hanem minden küldésnél kérdezze meg");
  askPassword_->setObjectName("CheckBoxJelszoKerdes");
  form->addRow(QString(), askPassword_);
  connect(askPassword_, &QCheckBox::toggled, this, [this](bool ask) {
    smtpPassword_->setEnabled(!ask);
    if (ask) smtpPassword_->clear();
  });
  passwordPlace_ = new QLabel;
  passwordPlace_->setObjectName("LabelJelszoHelye");
  passwordPlace_->setWordWrap(true);
  // An empty one of the two follows the other (a user name only when it is an address).
  connect(smtpSender_, &QLineEdit::editingFinished, this, [this] {
    if (smtpUser_->text().isEmpty()) smtpUser_->setText(smtpSender_->text().trimmed());
  });
  connect(smtpUser_, &QLineEdit::editingFinished, this, [this] {
    if (smtpSender_->text().isEmpty() && smtpUser_->text().contains('@')) smtpSender_->setText(smtpUser_->text());
  });
  checkFirst_ = new QCheckBox("Küldés előtt ellenőrizze az UL-t");
  checkFirst_->setObjectName("CheckBoxEllenorzes");
  checkFirst_->setToolTip("Ha az UL-ben hiba van, küldés, mentés vagy másolás előtt rákérdez.");
  smtpCopy_ = new QCheckBox("Másolat nekem");
  smtpCopy_->setObjectName("CheckBoxMasolat");
  smtpCopy_->setToolTip("A levél a feladó címére is elmegy, így a postafiókodban marad nyoma, mit küldtél.");
  form->addRow(QString(), smtpCopy_);
  auto* test = new QPushButton("Próbalevél");
  test->setObjectName("ButtonProbalevel");
  test->setToolTip("Egy rövid levelet küld a feladó címére a most beállított adatokkal.");
  connect(test, &QPushButton::clicked, this, &OptionsDialog::TestMailRequested);
  form->addRow(QString(), test);
  // A port still at the previous mode's usual value follows the mode.
  connect(smtpSecurity_, &QComboBox::currentIndexChanged, this, [this](int index) {
    const auto previous = SmtpSettings::Security(shownSecurity_);
    shownSecurity_ = index;
    const auto next = SmtpSettings::Security(std::max(0, index));
    smtpPort_->setText(QString::number(PortAfterModeChange(W(smtpPort_->text()), previous, next)));
  });
  layout->addLayout(form);
  connect(viaMapi_, &QCheckBox::toggled, this, [this, form](bool mapi) {
    for (int row = 0; row < form->rowCount(); ++row)
      if (QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole); item && item->widget())
        item->widget()->setEnabled(!mapi || item->widget()->objectName() == "ButtonProbalevel");
  });
  layout->addWidget(passwordPlace_);  // the whole width: the sentence is long
  layout->addWidget(checkFirst_);
  layout->addStretch();
  return page;
}

void OptionsDialog::ShowPasswordPlace(PasswordPlace place, const QString& note, bool keyringAnswers) {
  const QString where = Q(PasswordPlaceText(place, keyringAnswers));
  passwordPlace_->setText(note.isEmpty() ? where : note + "\n" + where);
}

void OptionsDialog::FillFromAddress() {
  const std::string address = smtpSender_->text().trimmed().toStdString();
  AutoconfigResult found;
  RunWithProgress(this, "Levelezési beállítás keresése…",
                  [&](const std::atomic<bool>* cancel, const auto&) { found = LookUpMailSetup(address, cancel); });
  using Status = AutoconfigResult::Status;
  switch (found.status) {
    case Status::Cancelled: return;
    case Status::BadAddress:
      Tell(this, QMessageBox::Warning, "Ez nem érvényes e-mail cím: " + smtpSender_->text());
      return;
    case Status::OAuthOnly: Tell(this, QMessageBox::Warning, Q(AutoconfigOAuthMessage())); return;
    case Status::NotFound: Tell(this, QMessageBox::Information, Q(AutoconfigNotFoundMessage(found.domain))); return;
    case Status::Found: break;
  }
  // Nothing is saved until "OK".
  const MailSetup& setup = found.setup;
  smtpServer_->setText(QString::fromStdString(setup.server));
  smtpSecurity_->setCurrentIndex(int(setup.security));
  smtpPort_->setText(QString::number(setup.port));
  smtpUser_->setText(QString::fromStdString(setup.user));
  const QString source = QString::fromStdString(setup.source);
  mailNote_->setText("A beállításokat innen vettem:\n" + source.left(source.indexOf('?')) +
                     "\nEllenőrizd a szolgáltatódnál, kell-e külön alkalmazásjelszó a levélküldéshez (a Gmail "
                     "például ezt kéri), és azt írd a Jelszó mezőbe.");
  mailNote_->setToolTip(source);
  mailNote_->show();
}

QWidget* OptionsDialog::SearchPathPage() {
  auto [page, layout] = Page("Keresési útvonalak");
  layout->addWidget(new QLabel("A program a következő könyvtárakban is keressen karakter fájlokat:"));
  auto* row = new QHBoxLayout;
  paths_ = new QListWidget;
  paths_->setObjectName("ListBox1");
  paths_->setAccessibleName("Keresési útvonalak");
  row->addWidget(paths_);
  auto* updown = new QVBoxLayout;
  auto* up = new QPushButton("▲");
  up->setAccessibleName("Feljebb");
  auto* down = new QPushButton("▼");
  down->setAccessibleName("Lejjebb");
  updown->addWidget(up);
  updown->addWidget(down);
  updown->addStretch();
  row->addLayout(updown);
  layout->addLayout(row);
  auto* pick = new QHBoxLayout;
  pathEdit_ = new QLineEdit;
  pathEdit_->setObjectName("DirectoryEdit1");
  pathEdit_->setAccessibleName("Új keresési útvonal");
  auto* browse = new QPushButton("...");
  browse->setAccessibleName("Tallózás");
  pick->addWidget(pathEdit_);
  pick->addWidget(browse);
  layout->addLayout(pick);
  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton("&Hozzáad");
  auto* remove = new QPushButton("Töröl");
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  layout->addLayout(buttons);

  connect(browse, &QPushButton::clicked, this, [this] {
    const QString dir = QFileDialog::getExistingDirectory(this, "Elérési út kiválasztása", pathEdit_->text());
    if (!dir.isEmpty()) pathEdit_->setText(dir);
  });
  connect(add, &QPushButton::clicked, this, &OptionsDialog::AddSearchPath);
  connect(remove, &QPushButton::clicked, this, [this] {
    const int current = paths_->currentRow();
    if (current < 0) return;
    delete paths_->takeItem(current);
    if (paths_->count() > 0) paths_->setCurrentRow(std::max(0, current - 1));
  });
  connect(up, &QPushButton::clicked, this, [this] { MoveSearchPath(-1); });
  connect(down, &QPushButton::clicked, this, [this] { MoveSearchPath(1); });
  return page;
}

void OptionsDialog::AddSearchPath() {
  const auto accepted = AcceptSearchPath(W(pathEdit_->text()));
  if (!accepted) return;  // refused without a message, as before
  const QString path = Q(*accepted);
  if (paths_->findItems(path, Qt::MatchExactly).isEmpty()) paths_->addItem(path);
}

void OptionsDialog::MoveSearchPath(int step) {
  const int row = paths_->currentRow();
  const int other = row + step;
  if (row < 0 || other < 0 || other >= paths_->count()) return;
  QListWidgetItem* item = paths_->takeItem(row);
  paths_->insertItem(other, item);
  paths_->setCurrentRow(other);
}

QWidget* OptionsDialog::MousePage() {
  auto [page, layout] = Page("Egér követése");
  hotTracking_ = Box(layout, "Egér követése", "CheckBox3");
  gridHover_ = Box(layout, "Egér követése az UL-Szerkesztőn", "CheckBox4");
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::TooltipPage() {
  auto [page, layout] = Page("Gyorstipp");
  tooltips_ = Box(layout, "Gyorstipp megjelenítése", "CheckBox2");
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::GridPage() {
  auto [page, layout] = Page("UL-Szerkesztő");
  auto* colours = new QHBoxLayout;
  band1_ = new ColourLabel("Háttér 1", [this] { PickColour(band1_); });
  band1_->setObjectName("LabelHatterSzin1");
  band2_ = new ColourLabel("Háttér 2", [this] { PickColour(band2_); });
  band2_->setObjectName("LabelHatterSzin2");
  fontColour_ = new ColourLabel("Font", [this] { PickColour(fontColour_); });
  fontColour_->setObjectName("LabelBetuSzin");
  auto* reset = new QPushButton("Vissza");
  for (QWidget* w : {static_cast<QWidget*>(band1_), static_cast<QWidget*>(band2_), static_cast<QWidget*>(fontColour_),
                     static_cast<QWidget*>(reset)})
    colours->addWidget(w);
  layout->addLayout(colours);
  connect(reset, &QPushButton::clicked, this, [this] {
    const GridColours defaults = DefaultGridColours();
    SetColour(band1_, defaults.background1);
    SetColour(band2_, defaults.background2);
    SetColour(fontColour_, defaults.font);
  });
  completion_ = Box(layout, "Automatikus parancskiegészítés", "CheckBox5");
  layout->addWidget(new QLabel("Egyszínű sávok száma"));
  bands_ = new QSlider(Qt::Horizontal);
  bands_->setObjectName("RxSlider1");
  bands_->setRange(1, 5);
  bands_->setPageStep(1);
  bands_->setTickPosition(QSlider::TicksBelow);
  layout->addWidget(bands_);
  flat_ = Box(layout, "Keret nélküli megjelenés", "CheckBox6");
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::PasswordPage() {
  auto [page, layout] = Page("Jelszó");
  password_ = Box(layout, "A jelszó mező legyen kicsillagozva", "CheckBoxPassword");
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::SendPage() {
  auto [page, layout] = Page("UL elküldése");
  preview_ = Box(layout, "Küldés előtt mutassa az emailt", "CheckBoxSend");
  layout->addStretch();
  return page;
}

void OptionsDialog::SetColour(QLabel* label, const QColor& colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::Window, colour);
  p.setColor(QPalette::WindowText, colour.lightness() < 128 ? Qt::white : Qt::black);
  label->setPalette(p);
}

QColor OptionsDialog::ColourOf(const QLabel* label) { return label->palette().color(QPalette::Window); }

void OptionsDialog::PickColour(QLabel* label) {
  const QColor chosen = QColorDialog::getColor(ColourOf(label), this);
  if (chosen.isValid()) SetColour(label, chosen);
}

void OptionsDialog::ShowPage(const QString& leaf) {
  const auto found = tree_->findItems(leaf, Qt::MatchExactly | Qt::MatchRecursive);
  if (!found.isEmpty()) tree_->setCurrentItem(found.first());
}

void OptionsDialog::Load(const Values& v) {
  loaded_ = v;
  const Settings& s = v.settings;
  password_->setChecked(s.passwordMasked);
  preview_->setChecked(s.previewBeforeSend);
  checkFirst_->setChecked(s.checkBeforeSend);
  tooltips_->setChecked(s.tooltips);
  hotTracking_->setChecked(s.hotTracking);
  gridHover_->setChecked(s.gridHover);
  completion_->setChecked(s.completion);
  flat_->setChecked(s.flatGrid);
  bands_->setValue(s.bandLength.value_or(1));
  SetColour(band1_, v.colours.background1);
  SetColour(band2_, v.colours.background2);
  SetColour(fontColour_, v.colours.font);
  startup_[0]->setChecked(s.startup == StartupCharacter::None);
  startup_[1]->setChecked(s.startup == StartupCharacter::Default);
  startup_[2]->setChecked(s.startup == StartupCharacter::Last);
  defaultCharacter_->setText(v.defaultCharacterName);
  recipient_->setText(Q(s.recipient));
  smtpServer_->setText(Q(v.smtp.server));
  smtpPort_->setText(QString::number(v.smtp.port));
  {
    const QSignalBlocker quiet(smtpSecurity_);
    smtpSecurity_->setCurrentIndex(int(v.smtp.security));
    shownSecurity_ = int(v.smtp.security);
  }
  smtpCopy_->setChecked(v.smtp.copyToSender);
  smtpCaFile_->setText(Q(v.smtp.caFile));
  viaMapi_->setChecked(v.smtp.viaMapi && MapiOffered());
  smtpUser_->setText(Q(v.smtp.user));
  smtpPassword_->setText(Q(v.smtp.password));
  askPassword_->setChecked(v.askPassword);
  ShowPasswordPlace(v.passwordPlace, {}, v.keyringAnswers);
  smtpSender_->setText(Q(v.smtp.sender));
  paths_->clear();
  for (const std::string& p : s.searchPaths) paths_->addItem(Q(p));
  association_->setChecked(v.associated);
}

OptionsDialog::Values OptionsDialog::Collect() const {
  Values v = loaded_;
  Settings& s = v.settings;
  s.passwordMasked = password_->isChecked();
  s.previewBeforeSend = preview_->isChecked();
  s.checkBeforeSend = checkFirst_->isChecked();
  s.tooltips = tooltips_->isChecked();
  s.hotTracking = hotTracking_->isChecked();
  s.gridHover = gridHover_->isChecked();
  s.completion = completion_->isChecked();
  s.flatGrid = flat_->isChecked();
  s.bandLength = bands_->value();
  v.colours.background1 = ColourOf(band1_);
  v.colours.background2 = ColourOf(band2_);
  v.colours.font = ColourOf(fontColour_);
  s.background1 = ColourToRef(v.colours.background1);
  s.background2 = ColourToRef(v.colours.background2);
  if (startup_[0]->isChecked()) s.startup = StartupCharacter::None;
  if (startup_[1]->isChecked()) s.startup = StartupCharacter::Default;
  if (startup_[2]->isChecked()) s.startup = StartupCharacter::Last;
  s.recipient = W(recipient_->text());
  v.smtp.server = W(smtpServer_->text().trimmed());
  v.smtp.security = SmtpSettings::Security(std::max(0, smtpSecurity_->currentIndex()));
  v.smtp.port = PortFromText(W(smtpPort_->text()), v.smtp.security);
  v.smtp.copyToSender = smtpCopy_->isChecked();
  v.smtp.caFile = W(smtpCaFile_->text().trimmed());
  v.smtp.viaMapi = viaMapi_->isChecked();
  v.smtp.user = W(smtpUser_->text());
  v.smtp.password = W(smtpPassword_->text());
  v.askPassword = askPassword_->isChecked();
  v.smtp.sender = W(smtpSender_->text().trimmed());
  s.searchPaths.clear();
  for (int i = 0; i < paths_->count(); ++i) s.searchPaths.push_back(W(paths_->item(i)->text()));
  v.associated = association_->isChecked();
  return v;
}

}  // namespace mv::ui
