#include "ui/LetterActions.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Cp1250.h"
#include "letter/MailPassword.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/CharacterStore.h"
#include "store/SentArchive.h"
#include "store/TextFile.h"
#include "ui/Captions.h"
#include "ui/SendProgress.h"
#include "ui/Text.h"

namespace mv::ui {

LetterActions::LetterActions(const SheetEditor& editor, IniFile& ini, const Settings& settings,
                             std::filesystem::path directory, QWidget* window)
    : QObject(window),
      editor_(editor),
      ini_(ini),
      settings_(settings),
      directory_(std::move(directory)),
      window_(window),
      preview_(new PreviewDialog(window)),
      problems_(new ProblemList(window)) {
  connect(problems_, &ProblemList::RowChosen, this, &LetterActions::RowChosen);
}

std::vector<SheetProblem> LetterActions::Check() const {
  const std::string& key = editor_.character().key;
  return CheckSheet(editor_.document().Content(key), editor_.lookups(),
                    SheetBudget(ini_, key, editor_.document().fields().turn));
}

std::string LetterActions::Letter() const {
  return OrderLetterText(editor_.document().sheet(), editor_.document().fields(), Character());
}

bool LetterActions::LetterMayGo(const QString& question) {
  if (!settings_.checkBeforeSend) return true;
  const std::vector<SheetProblem> problems = Check();
  const int errors = CountErrors(problems);
  if (errors == 0) return true;  // warnings and notices never stop a letter
  QMessageBox box(QMessageBox::Question, kWindowCaption, QString("Az UL-ben %1 hiba van. %2").arg(errors).arg(question),
                  QMessageBox::NoButton, window_);
  box.setObjectName("KuldesElottiKerdes");
  QPushButton* yes = box.addButton("Igen", QMessageBox::YesRole);
  QPushButton* no = box.addButton("Nem", QMessageBox::NoRole);
  QPushButton* look = box.addButton("Megnézem", QMessageBox::ActionRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  Dress(box);
  box.exec();
  if (box.clickedButton() == look) ShowProblems(problems);
  return box.clickedButton() == yes;
}

void LetterActions::ShowProblems(const std::vector<SheetProblem>& problems) {
  problems_->Show(problems);
  problems_->exec();
}

void LetterActions::CheckWholeSheet() { ShowProblems(Check()); }

void LetterActions::PostLetter() {
  if (!LetterMayGo("Elküldöd így is?")) return;
  const std::string letter = Letter();
  if (settings_.previewBeforeSend) {
    preview_->SetLetter(Q(letter).replace("\r\n", "\n"));
    if (preview_->exec() != QDialog::Accepted) return;
  }
  const auto smtp = WithPassword(window_, ReadSmtpSettings(ini_), false);
  if (!smtp) return;
  const SendOutcome outcome = SendWithProgress(window_, *smtp, {settings_.recipient, kLetterSubject, letter});
  QString sent = Q(SendOutcomeMessage(outcome));
  if (const QString warning = KeepLetter(Character().number, editor_.document().fields().turn, letter, outcome);
      !warning.isEmpty())
    sent += "\n" + warning;
  if (outcome.sent() || outcome.status == SendOutcome::Status::Unconfirmed) emit Sent();
  ShowSendOutcome(window_, outcome, sent);
}

QString LetterActions::KeepLetter(const std::string& character, const std::string& turn, const std::string& letter,
                                  const SendOutcome& outcome) {
  // What went out is kept; the send stands even if the copy does not.
  return KeepSentLetter(directory_, character, turn, letter, outcome) ? QString() : Q(SentCopyNotKeptMessage());
}

std::vector<std::size_t> LetterActions::AskWhichGo(const std::vector<CurrentSheet>& sheets) {
  QDialog dialog(window_);
  dialog.setObjectName("OsszesKuldese");
  dialog.setWindowTitle("Összes elküldése");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("Ezek az UL-ek mennek el (a kijelöltek):", &dialog));
  auto* list = new QListWidget(&dialog);
  list->setObjectName("OsszesKuldeseLista");
  list->setAccessibleName("Elküldendő UL-ek");
  for (const CurrentSheet& sheet : sheets) {
    const SendOffer offer = OfferOf(sheet.status, sheet.character.canSend);
    QString text = Q(sheet.character.name) + " (#" + Q(sheet.character.key) + ")";
    if (sheet.status.turn > 0) text += QString(", %1. forduló").arg(sheet.status.turn);
    auto* item = new QListWidgetItem(list);
    if (offer.kind == SendOffer::Kind::NotSent) {
      item->setText(text + " – nem megy el: " + Q(offer.note));
      item->setFlags(Qt::ItemIsEnabled);
    } else {
      item->setText(offer.note.empty() ? text : text + " – " + Q(offer.note));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(offer.kind == SendOffer::Kind::Ticked ? Qt::Checked : Qt::Unchecked);
    }
  }
  layout->addWidget(list);
  dialog.resize(560, 320);  // a line per character, its reason included
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton("Küldés", QDialogButtonBox::AcceptRole)->setObjectName("Kuldes");
  buttons->addButton("Mégse", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  std::vector<std::size_t> chosen;
  if (dialog.exec() != QDialog::Accepted) return chosen;
  for (int i = 0; i < list->count(); ++i)
    if ((list->item(i)->flags() & Qt::ItemIsUserCheckable) && list->item(i)->checkState() == Qt::Checked)
      chosen.push_back(std::size_t(i));
  return chosen;
}

void LetterActions::SendAll(const std::vector<CurrentSheet>& sheets) {
  const std::vector<std::size_t> chosen = AskWhichGo(sheets);
  if (chosen.empty()) return;
  struct Outgoing {
    std::size_t sheet;
    OutgoingLetter letter;
  };
  std::vector<Outgoing> outgoing;
  std::vector<QString> lines(sheets.size());
  for (std::size_t i = 0; i < sheets.size(); ++i)
    lines[i] = "nem ment el: " + Q(OfferOf(sheets[i].status, sheets[i].character.canSend).note);
  // Chosen, but not reached when the run stops early.
  for (const std::size_t i : chosen) lines[i] = "nem ment el: a küldés előbb megszakadt";
  for (const std::size_t i : chosen) {
    OutgoingLetter letter = LetterOfSheetFile(ini_, sheets[i].status.sheet);
    if (!letter.error.empty()) {
      lines[i] = "nem ment el: " + Q(letter.error);
      continue;
    }
    outgoing.push_back({i, std::move(letter)});
  }
  std::vector<MailMessage> messages;
  for (const Outgoing& o : outgoing) messages.push_back({settings_.recipient, kLetterSubject, o.letter.letter});
  // A password to be asked is asked once for the whole run.
  const auto smtp =
      outgoing.empty() ? std::optional(ReadSmtpSettings(ini_)) : WithPassword(window_, ReadSmtpSettings(ini_), false);
  if (!smtp) return;
  const std::vector<SendOutcome> outcomes = SendAllWithProgress(window_, *smtp, messages);
  for (std::size_t k = 0; k < outcomes.size(); ++k) {
    const Outgoing& o = outgoing[k];
    const SendOutcome& outcome = outcomes[k];
    const QString warning = KeepLetter(o.letter.character, o.letter.turn, o.letter.letter, outcome);
    if (outcome.sent())
      lines[o.sheet] = "elküldve";
    else if (outcome.status == SendOutcome::Status::Unconfirmed)
      lines[o.sheet] = "lehet, hogy megérkezett";
    else
      lines[o.sheet] = "nem ment el: " + Q(SendOutcomeMessage(outcome)).split('\n').join(" – ");
    if (!warning.isEmpty()) lines[o.sheet] += " (" + warning + ")";
  }
  QStringList report;
  for (std::size_t i = 0; i < sheets.size(); ++i)
    report << Q(sheets[i].character.name) + " (#" + Q(sheets[i].character.key) + "): " + lines[i];
  if (!outcomes.empty()) emit Sent();
  Tell(window_, QMessageBox::Information, report.join('\n'));
}

QString LetterActions::LastSentLine() const {
  const auto last = LastSent(directory_, Character().number);
  return last ? Q(mv::LastSentText(*last)) : QString();
}

void LetterActions::ShowSendOutcome(QWidget* parent, const SendOutcome& outcome, const QString& sentText) {
  using Status = SendOutcome::Status;
  const QString message = outcome.sent() ? sentText : Q(SendOutcomeMessage(outcome));
  if (outcome.sent() || outcome.status == Status::Cancelled)
    Tell(parent, QMessageBox::Information, message);
  else if (outcome.status == Status::SendError || outcome.status == Status::Unconfirmed)
    Tell(parent, QMessageBox::Warning, message);
  else
    Tell(parent, QMessageBox::Critical, message);
}

void LetterActions::SendTestMail(QWidget* dialog, const SmtpSettings& shown, bool askPassword) {
  // The settings as the dialog holds them: its password field, or the question.
  const auto smtp = askPassword || shown.password.empty() ? WithPassword(dialog, shown, askPassword) : shown;
  if (!smtp) return;
  const MailMessage test{
      smtp->sender, "Morvald UL - probalevel",
      std::string("Ez egy próbalevél a Morvald UL készítő programból: a levelezés beállításai jók.\r\n"_w)};
  ShowSendOutcome(dialog, SendWithProgress(dialog, *smtp, test), "Próbalevél elküldve");
}

std::optional<SmtpSettings> LetterActions::WithPassword(QWidget* parent, SmtpSettings smtp, bool ask) {
  if (smtp.user.empty()) return smtp;  // no login, no password
  PasswordFetch fetch;
  fetch.status = PasswordFetch::Status::MustAsk;
  if (!ask)
    RunWithProgress(
        parent, "A jelszó kiolvasása…",
        [&](const std::atomic<bool>*, const auto&) { fetch = FetchMailPassword(ini_, smtp, *DesktopSecretStore()); },
        false);
  if (fetch.status == PasswordFetch::Status::Ok) {
    smtp.password = fetch.password;
    return smtp;
  }
  QInputDialog question(parent);
  question.setObjectName("JelszoKerdes");
  question.setWindowTitle(kWindowCaption);
  question.setLabelText(fetch.status == PasswordFetch::Status::KeyringUnavailable
                            ? "A levelezési jelszó a kulcstartóban van, de a kulcstartó most nem érhető el.\n"
                              "Add meg a jelszót ehhez a küldéshez:"
                            : "A levelezési jelszó (" + Q(smtp.user) + "):");
  question.setTextEchoMode(QLineEdit::Password);
  if (question.exec() != QDialog::Accepted) return std::nullopt;
  smtp.password = W(question.textValue());  // used for this send only
  return smtp;
}

void LetterActions::SaveLetter() {
  if (!LetterMayGo("Elmented így is?")) return;
  const std::string letter = Letter();
  QFileDialog dialog(window_, "UL levél mentése", QString::fromStdString(directory_.string()), "UL Levél (*.eul)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("eul");
  dialog.selectFile(Q(DefaultLetterFileName(Character(), editor_.document().fields())));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  // A failed write must not pass silently: the player would post nothing.
  if (!WriteFileAtomically(dialog.selectedFiles().first().toStdString(), letter, 0600))  // it holds the password
    Tell(window_, QMessageBox::Critical, "Az UL-levelet nem sikerült menteni: " + dialog.selectedFiles().first());
}

void LetterActions::CopyLetter() {
  if (!LetterMayGo("Kimásolod így is?")) return;
  QApplication::clipboard()->setText(Q(Letter()));
}

}  // namespace mv::ui
