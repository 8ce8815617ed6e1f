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
#include "ui/PreviewDialog.h"
#include "ui/ProblemList.h"
#include "ui/TurnBoard.h"

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
  // A send's outcome in its message box; sentText when it was delivered.
  static void ShowSendOutcome(QWidget* parent, const SendOutcome& outcome, const QString& sentText);
  // A letter that went out (or may have) is kept; a warning when the copy
  // could not be.
  QString KeepLetter(const std::string& character, const std::string& turn, const std::string& letter,
                     const SendOutcome& outcome);
  // The settings with the mail password where it is kept, or asked for
  // (always when ask). Nothing when the player gave up.
  std::optional<SmtpSettings> WithPassword(QWidget* parent, SmtpSettings smtp, bool ask);
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
