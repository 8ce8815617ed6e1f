// The three deliveries of the order letter (send, save, copy), the check
// before each, the list of problems, and "Próbalevél" of the options.
#pragma once

#include <QObject>
#include <QWidget>
#include <filesystem>

#include "core/SheetCheck.h"
#include "core/SheetEditor.h"
#include "letter/SmtpTransport.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "turn/CurrentSheet.h"
#include "turn/SendRun.h"
#include "ui/PreviewDialog.h"
#include "ui/ProblemList.h"

namespace mv::ui {

class LetterActions : public QObject {
  Q_OBJECT
 public:
  // settings: the window's applied settings, read at each delivery.
  LetterActions(const SheetEditor& editor, IniFile& ini, const Settings& settings, std::filesystem::path directory,
                QWidget* window);

  // "Utoljára elküldve: …" of the character shown, or nothing.
  QString LastSentLine() const;
  // The whole-sheet check of the window's sheet, the character's budget for
  // its turn included.
  std::vector<SheetProblem> Check() const;
  // To the sender alone, with the settings as the dialog holds them.
  void SendTestMail(QWidget* dialog, const SmtpSettings& smtp, bool askPassword);

 public slots:
  void PostLetter();
  void SaveLetter();
  void CopyLetter();
  // "Ellenőrzés".
  void CheckWholeSheet();
  // "Összes elküldése": the characters' current sheets the player ticks in
  // a question, read from their files, through one connection.
  void SendAll(const std::vector<CurrentSheet>& sheets);

 signals:
  // A double-click on a row's problem.
  void RowChosen(int row);
  // A letter went out: the last-send line is stale.
  void Sent();

 private:
  // True when the letter may go: no errors, the question off, or "Igen".
  bool LetterMayGo(const QString& question);
  void ShowProblems(const std::vector<SheetProblem>& problems);
  // A send's message, in a box whose icon says how it went.
  static void ShowResult(QWidget* parent, const SendOutcome& outcome, const QString& message);
  // The send run behind the progress dialog; the password, when it must be
  // asked, is asked on the window's thread.
  SendRunReport Run(const std::vector<RunLetter>& letters);
  // The mail password for one send or run; nothing when the player gave up.
  static std::optional<std::string> AskPassword(QWidget* parent, PasswordNeed need, const std::string& user);
  // What the progress names the window's letter by.
  std::string LetterName() const;
  // The question of "Összes elküldése": which sheets go.
  std::vector<std::size_t> AskWhichGo(const std::vector<CurrentSheet>& sheets);
  std::string Letter() const;
  const CharacterFields& Character() const { return editor_.character().fields; }

  const SheetEditor& editor_;
  IniFile& ini_;
  const Settings& settings_;
  std::filesystem::path directory_;
  QWidget* window_;
  PreviewDialog* preview_;
  ProblemList* problems_;
};

}  // namespace mv::ui
