#include "ui/LetterActions.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <ctime>

#include "core/Cp1250.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
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
  return CheckSheet(editor_.document().Content(editor_.character().key), editor_.lookups());
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
  const SendOutcome outcome =
      SendWithProgress(window_, ReadSmtpSettings(ini_), {settings_.recipient, kLetterSubject, letter});
  QString sent = Q(SendOutcomeMessage(outcome));
  if (outcome.sent()) {
    // What went out is kept; the send stands even if the copy does not.
    if (!ArchiveSentLetter(directory_, Character().number, editor_.document().fields().turn, letter,
                           std::time(nullptr)))
      sent += "\n" + Q(SentCopyNotKeptMessage());
    emit Sent();
  }
  ShowSendOutcome(window_, outcome, sent);
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

void LetterActions::SendTestMail(QWidget* dialog, const SmtpSettings& smtp) {
  const MailMessage test{
      smtp.sender, "Morvald UL - probalevel",
      std::string("Ez egy próbalevél a Morvald UL készítő programból: a levelezés beállításai jók.\r\n"_w)};
  ShowSendOutcome(dialog, SendWithProgress(dialog, smtp, test), "Próbalevél elküldve");
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
