// The "Adatok" tab: character fields, the character list and its buttons,
// the turn, the request flags, the delivery form and the queued order.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>
#include <array>

#include "core/EditorModel.h"

namespace mv::ui {

class DataTab : public QWidget {
  Q_OBJECT
 public:
  DataTab(EditorModel& model, QWidget* parent = nullptr);

  // Shows the model's sheet and character fields.
  void ShowFields();
  // "Utoljára elküldve: …" of the character shown, or nothing.
  void SetLastSent(const QString& text);

  QLineEdit* editKar;
  QLineEdit* editSzamla;
  QLineEdit* editJelsz;
  QLineEdit* editKarNev;
  QLineEdit* editKarLeiras;
  QComboBox* comboEtrend;
  QSpinBox* spinPortya;
  QComboBox* comboKar;
  QPushButton* buttonLoad;
  QPushButton* buttonDelete;
  QPushButton* buttonNew;
  QPushButton* buttonSave;
  QPushButton* buttonSaveDefault;
  QLineEdit* editFord;
  QCheckBox* checkUL;
  QCheckBox* checkJL;
  QCheckBox* checkEXT;
  QCheckBox* checkKlub;
  std::array<QRadioButton*, 5> delivery{};  // Base64 .. Csak nyomtatva
  QPushButton* buttonReset;
  QCheckBox* checkSorb;
  QLineEdit* editSorbKar;
  QLineEdit* editSorbFord;

 signals:
  void CharacterNameChanged(const QString& name);

 private:
  QLabel* lastSent_ = nullptr;
  void Bind();
  void SetQueueEnabled(bool on);

  EditorModel& model_;
  bool showing_ = false;  // ShowFields is writing the controls
};

}  // namespace mv::ui
