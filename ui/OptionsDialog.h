// "Beállítások": a tree of nine pages that edits the settings.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTreeWidget>
#include <array>

#include "letter/MailPassword.h"
#include "letter/SmtpTransport.h"
#include "store/Settings.h"
#include "ui/GridLook.h"

namespace mv::ui {

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit OptionsDialog(QWidget* parent = nullptr);

  struct Values {
    Settings settings;
    SmtpSettings smtp;  // the password as it is kept (read from the keyring when there)
    PasswordPlace passwordPlace = PasswordPlace::MvIni;
    bool keyringAnswers = false;  // a store answered when the dialog was opened
    bool askPassword = false;     // "Ne tárolja a jelszót, ..."
    QString passwordNote;         // said once on the page (the password moved)
    bool associated = false;
    GridColours colours;
    QString defaultCharacterName;
  };
  void Load(const Values& values);
  // Where the password is kept now, and anything to say about it once.
  void ShowPasswordPlace(PasswordPlace place, const QString& note = {}, bool keyringAnswers = false);
  Values Collect() const;

  // The page of a leaf caption ("Jelszó", ...), for tests and short cuts.
  void ShowPage(const QString& leaf);
  QTreeWidget* tree() const { return tree_; }
  QStackedWidget* pages() const { return pages_; }

 signals:
  // "&Alkalmaz" or "&OK": take the values now.
  void ApplyRequested();
  // "Próbalevél": send a test message through the settings as they stand.
  void TestMailRequested();

 private:
  QWidget* StartupPage();
  QWidget* IntegrationPage();
  QWidget* MailPage();
  QWidget* SearchPathPage();
  QWidget* MousePage();
  QWidget* TooltipPage();
  QWidget* GridPage();
  QWidget* PasswordPage();
  QWidget* SendPage();
  // "Kitöltés a cím alapján": the outgoing server found from the address.
  void FillFromAddress();
  void AddSearchPath();
  void MoveSearchPath(int step);
  void PickColour(QLabel* label);
  static void SetColour(QLabel* label, const QColor& colour);
  static QColor ColourOf(const QLabel* label);

  QTreeWidget* tree_;
  QStackedWidget* pages_;
  std::array<QRadioButton*, 3> startup_{};
  QLabel* defaultCharacter_ = nullptr;
  QCheckBox* association_ = nullptr;
  QLineEdit* recipient_ = nullptr;
  QLineEdit* smtpServer_ = nullptr;
  QLineEdit* smtpPort_ = nullptr;
  QComboBox* smtpSecurity_ = nullptr;
  QLineEdit* smtpUser_ = nullptr;
  QLineEdit* smtpPassword_ = nullptr;
  QLineEdit* smtpSender_ = nullptr;
  QCheckBox* smtpCopy_ = nullptr;
  QLineEdit* smtpCaFile_ = nullptr;
  QCheckBox* viaMapi_ = nullptr;
  QLabel* mailNote_ = nullptr;
  QCheckBox* askPassword_ = nullptr;
  QLabel* passwordPlace_ = nullptr;
  QCheckBox* checkFirst_ = nullptr;
  int shownSecurity_ = 0;
  QListWidget* paths_ = nullptr;
  QLineEdit* pathEdit_ = nullptr;
  QCheckBox* hotTracking_ = nullptr;
  QCheckBox* gridHover_ = nullptr;
  QCheckBox* tooltips_ = nullptr;
  QLabel* band1_ = nullptr;
  QLabel* band2_ = nullptr;
  QLabel* fontColour_ = nullptr;
  QCheckBox* completion_ = nullptr;
  QSlider* bands_ = nullptr;
  QCheckBox* flat_ = nullptr;
  QCheckBox* password_ = nullptr;
  QCheckBox* preview_ = nullptr;
  Values loaded_;
};

}  // namespace mv::ui
