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
#include "core/Secret.h"
#include "letter/MailPassword.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/CharacterStore.h"
#include "store/SentArchive.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"
#include "turn/TurnStatus.h"
#include "ui/Captions.h"
#include "ui/FileDialogs.h"
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
                    {SheetBudget(ini_, key, editor_.document().fields().turn),
                     NewestTurnOf(directory_, SheetFolders(directory_, settings_), key)});
}

std::string LetterActions::Letter() const {
  return OrderLetterText(editor_.document().sheet(), editor_.document().fields(), Character());
}

bool LetterActions::LetterMayGo(const QString& question) {
  if (!settings_.checkBeforeSend) return true;
  const std::vector<SheetProblem> problems = Check();
  const int errors = CountErrors(problems);
  // Other warnings and notices never stop a letter; a turn gone back asks.
  QStringList said;
  if (errors > 0) said << QString("Az UL-ben %1 hiba van.").arg(errors);
  for (const SheetProblem& problem : problems)
    if (problem.asksBeforeSending) said << Q(problem.text);
  if (said.isEmpty()) return true;
  QMessageBox box(QMessageBox::Question, kWindowCaption, said.join(' ') + " " + question, QMessageBox::NoButton,
                  window_);
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
  const RunLetter letter{Character().number, editor_.document().fields().turn, Letter(), LetterName()};
  // A letter that went, or may have, goes again only when the player says so.
  if (const auto earlier = EarlierSendOf(KeptLetters(directory_), letter);
      earlier && AskQuestion(window_, Q(AgainQuestion(*earlier)), QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) != QMessageBox::Yes)
    return;
  if (settings_.previewBeforeSend) {
    preview_->SetLetter(Q(letter.letter).replace("\r\n", "\n"));
    if (preview_->exec() != QDialog::Accepted) return;
  }
  const SendRunReport report = Run({letter});
  if (report.start != PasswordStep::Status::Ok) return;  // the player gave up the password
  const LetterResult& result = report.letters.front();
  if (result.wentOut()) emit Sent();
  ShowResult(window_, result.outcome, Q(ResultMessage(result)));
}

std::string LetterActions::LetterName() const {
  const std::string& file = editor_.document().fileName();
  if (!file.empty()) return cp1250::FromUtf8(Utf8(PathFromUtf8(file).filename()));
  return DefaultSheetName(Character(), editor_.document().fields()) + ".ulf";
}

SendRunReport LetterActions::Run(const std::vector<RunLetter>& letters) {
  SendRunReport report;
  PasswordSource source;
  source.ask = [this](PasswordNeed need, const std::string& user) {
    std::optional<std::string> answer;
    OnWindowThread(window_, [&] { answer = AskPassword(window_, need, user); });
    return answer;
  };
  // The worker reads mv.ini on its own, apart from the window's copy.
  const IniFile ini(ini_.path());
  MailRoute route = MailRouteOf(ini);
  route.recipient = settings_.recipient;
  RunWithProgress(window_, "UL küldése…", [&](const std::atomic<bool>* cancel, const auto& say) {
    report = RunSend(ini, directory_, route, letters, source, *DesktopSecretStore(), cancel,
                     {[&](const std::string& progress) { say(Q(progress)); }, nullptr});
  });
  return report;
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
    const SendOffer offer = OfferOf(sheet.status, sheet.character);
    QString text = Q(sheet.character.name) + " (#" + Q(sheet.character.key) + ")";
    if (sheet.status.turn > 0) text += QString(", %1. forduló").arg(sheet.status.turn);
    auto* item = new QListWidgetItem(list);
    if (offer.kind == SendOffer::Kind::NotSent) {
      item->setText(text + " – nem küldhető: " + Q(offer.note));
      item->setFlags(Qt::ItemIsEnabled);
    } else {
      item->setText(offer.note.empty() ? text : text + " – " + Q(offer.note));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(offer.kind == SendOffer::Kind::Ticked ? Qt::Checked : Qt::Unchecked);
    }
  }
  layout->addWidget(list);
  dialog.resize(620, 320);  // a line per character, its reason included
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
  std::vector<QString> lines(sheets.size());
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const SendOffer offer = OfferOf(sheets[i].status, sheets[i].character);
    lines[i] = "nem ment el: " + (offer.kind == SendOffer::Kind::NotSent ? Q(offer.note) : QString("nem jelölted ki"));
  }
  std::vector<std::size_t> going;
  std::vector<RunLetter> letters;
  for (const std::size_t i : chosen) {
    OutgoingLetter letter = LetterOfSheetFile(ini_, sheets[i].status.sheet);
    if (!letter.error.empty()) {
      lines[i] = "nem ment el: " + Q(letter.error);
      continue;
    }
    going.push_back(i);
    letters.push_back({letter.character, letter.turn, std::move(letter.letter),
                       cp1250::FromUtf8(Utf8(sheets[i].status.sheet.filename()))});
  }
  if (!letters.empty()) {
    const SendRunReport report = Run(letters);
    if (report.start != PasswordStep::Status::Ok) return;
    for (std::size_t k = 0; k < going.size(); ++k) lines[going[k]] = Q(ResultLine(report.letters[k]));
    emit Sent();
  }
  QStringList text;
  for (std::size_t i = 0; i < sheets.size(); ++i)
    text << Q(sheets[i].character.name) + " (#" + Q(sheets[i].character.key) + "): " + lines[i];
  Tell(window_, QMessageBox::Information, text.join('\n'));
}

QString LetterActions::LastSentLine() const {
  const auto last = LastSent(directory_, Character().number);
  return last ? Q(mv::LastSentText(*last)) : QString();
}

void LetterActions::ShowResult(QWidget* parent, const SendOutcome& outcome, const QString& message) {
  using Status = SendOutcome::Status;
  if (outcome.sent() || outcome.status == Status::Cancelled)
    Tell(parent, QMessageBox::Information, message);
  else if (outcome.status == Status::SendError || outcome.status == Status::Unconfirmed)
    Tell(parent, QMessageBox::Warning, message);
  else
    Tell(parent, QMessageBox::Critical, message);
}

void LetterActions::SendTestMail(QWidget* dialog, const SmtpSettings& shown, bool askPassword) {
  // The settings as the dialog holds them: its password field, or the question.
  PasswordSource source;
  if (!shown.password.empty()) source.given = shown.password;
  source.ask = [dialog](PasswordNeed need, const std::string& user) {
    std::optional<std::string> answer;
    OnWindowThread(dialog, [&] { answer = AskPassword(dialog, need, user); });
    return answer;
  };
  PasswordStep step;
  if (askPassword && !source.given) {
    step.smtp = shown;
    const auto asked = AskPassword(dialog, PasswordNeed::AskedEachTime, shown.user);
    if (!asked) return;
    step.smtp.password = *asked;
  } else {
    const IniFile ini(ini_.path());
    RunWithProgress(
        dialog, "A jelszó kiolvasása…",
        [&](const std::atomic<bool>*, const auto&) {
          step = PasswordForRun(ini, shown, source, *DesktopSecretStore());
        },
        false);
    if (step.status != PasswordStep::Status::Ok) return;
  }
  const MailMessage test{
      step.smtp.sender, "Morvald UL - probalevel",
      std::string("Ez egy próbalevél a Morvald UL készítő programból: a levelezés beállításai jók.\r\n"_w)};
  const SendOutcome outcome = SendWithProgress(dialog, step.smtp, test);
  WipeSecret(step.smtp.password);
  ShowResult(dialog, outcome, outcome.sent() ? QString("Próbalevél elküldve") : Q(SendOutcomeMessage(outcome)));
}

std::optional<std::string> LetterActions::AskPassword(QWidget* parent, PasswordNeed need, const std::string& user) {
  QInputDialog question(parent);
  question.setObjectName("JelszoKerdes");
  question.setWindowTitle(kApplicationTitle);
  question.setLabelText(need == PasswordNeed::KeyringUnavailable
                            ? "A levelezési jelszó a kulcstartóban van, de a kulcstartó most nem érhető el.\n"
                              "Add meg a jelszót ehhez a küldéshez:"
                            : "A levelezési jelszó (" + Q(user) + "):");
  question.setTextEchoMode(QLineEdit::Password);
  // Room for the one title of the program's dialogs: the dialog sizes itself by its label.
  if (auto* label = question.findChild<QLabel*>())
    label->setMinimumWidth(question.fontMetrics().horizontalAdvance(kApplicationTitle) + 140);
  if (question.exec() != QDialog::Accepted) return std::nullopt;
  return W(question.textValue());  // used for this send only
}

void LetterActions::SaveLetter() {
  if (!LetterMayGo("Elmented így is?")) return;
  const std::string letter = Letter();
  QFileDialog dialog(window_, "UL levél mentése", QPath(directory_), "UL Levél (*.eul)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("eul");
  FitFileDialog(dialog);
  dialog.selectFile(Q(DefaultLetterFileName(Character(), editor_.document().fields())));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  // A failed write must not pass silently: the player would post nothing.
  if (!WriteFileAtomically(PathOf(dialog.selectedFiles().first()), letter, 0600))  // it holds the password
    Tell(window_, QMessageBox::Critical, "Az UL-levelet nem sikerült menteni: " + dialog.selectedFiles().first());
}

void LetterActions::CopyLetter() {
  if (!LetterMayGo("Kimásolod így is?")) return;
  QApplication::clipboard()->setText(Q(Letter()));
}

}  // namespace mv::ui
