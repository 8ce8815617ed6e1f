// Wires the "Adatok" tab's character buttons and list and the "Jegyzetek"
// memo to the character session.
#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <filesystem>

#include "store/CharacterSession.h"
#include "ui/DataTab.h"
#include "ui/DocumentSignals.h"

namespace mv::ui {

class CharacterController : public QObject {
  Q_OBJECT
 public:
  // changes: the session's announcements, which the list and the notes follow.
  CharacterController(CharacterSession& session, IniFile& ini, DataTab* tab, QPlainTextEdit* notes,
                      DocumentSignals& changes, QObject* parent = nullptr);

  void FillCharacterList();
  void LoadCharacter(const std::string& key);
  void NewCharacter();
  void SaveCharacter();
  // Asks first; false when the player said no.
  bool DeleteCharacter();
  void SaveAsDefault();
  void LoadSelected();
  // Start-up: the last used or the default character, as "Betolt" says.
  void LoadStartupCharacter();
  // The notes of the character shown, when they changed: before another
  // character replaces them, shortly after a change and at exit.
  bool SaveNotes();

  bool notesModified() const { return notesModified_; }
  std::string SelectedKey() const;
  // The character list's items, in the order shown.
  QStringList Items() const { return items_; }

 signals:
  // The list's choice changed: the buttons that need one follow.
  void SelectionChanged();
  // "Karakter betöltés" chose a character: the sheet decides what follows.
  void CharacterChosen(const std::string& key);
  void WriteFailed(const QString& message);

 private:
  void Select(const std::string& item);
  // The character could not be written to mv.ini: why, as mv.ini tells it.
  void SayNotSaved();
  // Saves the notes before they are replaced; a failure is reported.
  void KeepNotes();
  // The memo from the notes file of the character shown, unmodified.
  void ShowNotes();

  IniFile& ini_;
  CharacterSession& session_;
  QStringList items_;  // the stored characters, Hungarian order
  DataTab* tab_;
  QPlainTextEdit* notes_;
  bool notesModified_ = false;
  bool loadingNotes_ = false;
};

}  // namespace mv::ui
