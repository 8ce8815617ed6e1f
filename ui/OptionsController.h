// The options dialog wired to mv.ini, the file association and the window's
// look; and the per-user window state (grid font, font colour, position,
// custom colours).
#pragma once

#include <QSettings>

#include <QFont>
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QTabWidget>
#include <QThread>
#include <memory>

#include "store/FileAssociation.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "ui/DataTab.h"
#include "ui/OptionsDialog.h"
#include "ui/OrderTab.h"

namespace mv::ui {

// Where the windows' places and sizes are kept (Qt's per-user settings).
QSettings WindowStateStore();

class TooltipSwitch;

// "MS Sans Serif" 8 point where it exists; else the narrowest look-alike.
QFont WindowFont();

class OptionsController : public QObject {
  Q_OBJECT
 public:
  OptionsController(IniFile& ini, std::unique_ptr<FileAssociation> association, QMainWindow* window, QTabWidget* tabs,
                    OrderTab* orderTab, DataTab* dataTab);

  // The settings in force: the letter and file actions read them.
  const Settings& settings() const { return settings_; }
  // What the options dialog shows when it opens (LoadSettings).
  OptionsDialog::Values CurrentOptions() const;
  // The options dialog's values applied to the window (ApplySettings).
  void ApplySettings(const OptionsDialog::Values& values);
  // "&Alkalmaz"/"&OK": apply, then write mv.ini and the association.
  void TakeOptions(const OptionsDialog::Values& values);
  OptionsDialog* dialog() const { return dialog_; }

  // The grid's font, as a stored one or the font dialog gives it.
  void SetGridFont(const QFont& font);

  // True when the stored place is still on a screen and was taken.
  bool RestoreWindowState();
  void SaveWindowState() const;
  // A stored password that "ask each time" could not remove is tried again,
  // off the window's thread.
  void RemoveLeftPassword();
  ~OptionsController() override;

 signals:
  // The settings in force changed (the search folders among them).
  void SettingsChanged();

 public slots:
  void OpenOptions();
  // "Utasítás Lap Betűtípus".
  void ChangeGridFont();

 private:
  IniFile& ini_;
  std::unique_ptr<FileAssociation> association_;
  QMainWindow* window_;
  QTabWidget* tabs_;
  OrderTab* orderTab_;
  DataTab* dataTab_;
  OptionsDialog* dialog_;
  TooltipSwitch* tooltipSwitch_;
  Settings settings_;
  QFont gridFont_;
  QColor fontColour_;
  QPointer<QThread> remover_;
};

}  // namespace mv::ui
