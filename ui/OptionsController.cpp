#include "ui/OptionsController.h"

#include "letter/MailPassword.h"
#include "ui/MessageBoxes.h"
#include "ui/SendProgress.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QSettings>
#include <QTabBar>

#include "core/Cp1250.h"
#include "core/Secret.h"
#include "letter/SmtpTransport.h"
#include "ui/Captions.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

QFont DefaultGridFont() {
  QFont font = WindowFont();
  font.setBold(true);
  return font;
}

}  // namespace

// Per-user window state, under the program's registry key and sections.
QSettings WindowStateStore() { return QSettings("VA DU", "duzovudevi"); }

// Swallows tool tips while "Gyorstipp megjelenítése" is off.
class TooltipSwitch : public QObject {
 public:
  explicit TooltipSwitch(QObject* parent) : QObject(parent) {}
  bool on = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip && !on) return true;
    return QObject::eventFilter(watched, event);
  }
};

QFont WindowFont() {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans Condensed"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

OptionsController::OptionsController(IniFile& ini, std::unique_ptr<FileAssociation> association, QMainWindow* window,
                                     QTabWidget* tabs, OrderTab* orderTab, DataTab* dataTab)
    : QObject(window),
      ini_(ini),
      association_(std::move(association)),
      window_(window),
      tabs_(tabs),
      orderTab_(orderTab),
      dataTab_(dataTab),
      dialog_(new OptionsDialog(window)),
      tooltipSwitch_(new TooltipSwitch(this)),
      gridFont_(DefaultGridFont()),
      fontColour_(DefaultGridColours().font) {
  qApp->installEventFilter(tooltipSwitch_);
  connect(dialog_, &OptionsDialog::ApplyRequested, this, [this] { TakeOptions(dialog_->Collect()); });
}

OptionsDialog::Values OptionsController::CurrentOptions() const {
  OptionsDialog::Values v;
  v.settings = ReadSettings(ini_);
  v.associated = association_->IsPresent();
  const GridColours defaults = DefaultGridColours();
  auto colour = [](const std::optional<std::int32_t>& ref, QColor fallback) {
    const QColor c = ref ? ColourFromRef(*ref) : QColor();
    return c.isValid() ? c : fallback;
  };
  v.colours.background1 = colour(v.settings.background1, defaults.background1);
  v.colours.background2 = colour(v.settings.background2, defaults.background2);
  v.colours.font = fontColour_;
  v.smtp = ReadSmtpSettings(ini_);
  v.passwordPlace = ReadPasswordPlace(ini_);
  v.askPassword = v.passwordPlace == PasswordPlace::AskEachTime;
  const std::string defaultKey = ini_.Read("Karakterek", "Alapertelmezett");
  if (!defaultKey.empty()) v.defaultCharacterName = Q(ini_.Read(defaultKey, "Karakternév"_w));
  return v;
}

void OptionsController::ApplySettings(const OptionsDialog::Values& v) {
  settings_ = v.settings;
  fontColour_ = v.colours.font;
  orderTab_->SetGridLook(LookOf(v.colours, v.settings.bandLength.value_or(1)), v.settings.gridHover,
                         v.settings.completion);
  orderTab_->SetGridFont(gridFont_);
  orderTab_->SetFlatGrid(v.settings.flatGrid);
  tabs_->tabBar()->setAttribute(Qt::WA_Hover, v.settings.hotTracking);
  dataTab_->SetPasswordMasked(v.settings.passwordMasked);
  tooltipSwitch_->on = v.settings.tooltips;
  emit SettingsChanged();
}

void OptionsController::TakeOptions(const OptionsDialog::Values& v) {
  ApplySettings(v);
  // What one OK changes goes to mv.ini in one write: one wait for its lock.
  std::vector<IniChange> changes = SettingsChanges(v.settings);
  const SmtpSettings before = ReadSmtpSettings(ini_);
  // The password where it belongs: the desktop's keyring when it answers.
  PasswordSave saved;
  RunWithProgress(
      window_, "A jelszó mentése…",
      [&](const std::atomic<bool>*, const auto&) {
        saved = SaveMailPassword(ini_, before, v.smtp, v.askPassword, *DesktopSecretStore());
      },
      false);
  QStringList said;
  if (saved.keyringSilent) {
    said << Q(KeyringSilentMessage());  // the mail settings stay as they were
  } else {
    for (IniChange& change : SmtpSettingsChanges(v.smtp, false)) changes.push_back(std::move(change));
    for (IniChange& change : saved.changes) changes.push_back(std::move(change));
  }
  if (saved.copyLeft) said << Q(PasswordCopyLeftMessage());
  bool written = ini_.Apply(changes);
  dialog_->ShowPasswordPlace(saved.place, saved.movedToKeyring ? Q(PasswordMovedMessage()) : QString());
  if (v.associated != association_->IsPresent())
    written = (v.associated ? association_->Install() : association_->Remove()) && written;
  if (!written)
    said << Q(
        ini_.FailureMessage(W("A beállításokat nem sikerült teljesen elmenteni. Lehet, hogy az mv.ini írásvédett.")));
  if (!said.isEmpty()) Tell(window_, QMessageBox::Warning, said.join("\n"));
}

void OptionsController::OpenOptions() {
  OptionsDialog::Values v = CurrentOptions();
  // The page shows the stored password, read from the keyring off the
  // window's thread, or where a typed one will go.
  RunWithProgress(
      window_, "A jelszó kiolvasása a kulcstartóból…",
      [&](const std::atomic<bool>*, const auto&) {
        const auto store = DesktopSecretStore();
        if (v.passwordPlace == PasswordPlace::Keyring && !v.smtp.user.empty())
          store->Lookup(v.smtp.server, v.smtp.user, v.smtp.password);
        else if (v.passwordPlace == PasswordPlace::MvIni)
          v.keyringAnswers = store->Probe() == SecretStore::Status::Ok;
      },
      false);
  dialog_->Load(v);
  dialog_->exec();
  WipeSecret(v.smtp.password);
}

void OptionsController::RemoveLeftPassword() {
  if (!HasLeftPassword(ini_)) return;
  remover_ = QThread::create([path = ini_.path()] {
    IniFile ini(path);
    mv::RemoveLeftPassword(ini, *DesktopSecretStore());
  });
  connect(remover_, &QThread::finished, remover_, &QObject::deleteLater);
  remover_->start();
}

OptionsController::~OptionsController() {
  if (remover_) remover_->wait();  // the store's bound keeps it short
}

void OptionsController::ChangeGridFont() {
  bool ok = false;
  // A style name saved with the font ("Regular" of a font made bold) would
  // open the dialog on that style, and OK would make the grid plain.
  QFont initial = gridFont_;
  initial.setStyleName(QString());
  const QFont font = QFontDialog::getFont(&ok, initial, window_);
  if (ok) SetGridFont(font);
}

void OptionsController::SetGridFont(const QFont& font) {
  gridFont_ = font;
  ApplySettings(CurrentOptions());
}

bool OptionsController::RestoreWindowState() {
  bool placed = false;
  QSettings store = WindowStateStore();
  store.beginGroup("FoAblakAllapota");
  if (store.contains("FontDialog1.Font")) gridFont_.fromString(store.value("FontDialog1.Font").toString());
  if (store.contains("FontDialog1.Color")) fontColour_ = QColor(store.value("FontDialog1.Color").toString());
  // The frame goes back exactly where it was (restoreGeometry knows the
  // window manager's frame); an older stored place only when on a screen.
  if (store.contains("Geometry")) {
    placed = window_->restoreGeometry(store.value("Geometry").toByteArray());
  } else if (store.contains("Position")) {
    const QPoint stored = store.value("Position").toPoint();
    if (QGuiApplication::screenAt(stored + QPoint(20, 20))) {
      window_->move(stored);
      placed = true;
    }
  }
  store.endGroup();
  store.beginGroup("BeallitasokAblakAllapota");
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    if (store.contains(QString("Custom%1").arg(i)))
      QColorDialog::setCustomColor(i, QColor(store.value(QString("Custom%1").arg(i)).toString()));
  store.endGroup();
  return placed;
}

void OptionsController::SaveWindowState() const {
  QSettings store = WindowStateStore();
  store.beginGroup("FoAblakAllapota");
  store.setValue("FontDialog1.Font", gridFont_.toString());
  store.setValue("FontDialog1.Color", fontColour_.name());
  store.setValue("Position", window_->pos());
  store.setValue("Geometry", window_->saveGeometry());
  store.endGroup();
  store.beginGroup("BeallitasokAblakAllapota");
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    store.setValue(QString("Custom%1").arg(i), QColorDialog::customColor(i).name());
  store.endGroup();
}

}  // namespace mv::ui
