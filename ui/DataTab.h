// The "Adatok" tab: character fields, the character list and its buttons,
// the turn, the request flags, the deliveryButtons_ form and the queued order.
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

#include "core/OrderDocument.h"
#include "core/SheetEditor.h"
#include "store/CharacterSession.h"

namespace mv::ui {

class DataTab : public QWidget {
  Q_OBJECT
 public:
  // Shows the editor's sheet fields and the session's character, and
  // changes them through the editor and the session.
  DataTab(SheetEditor& editor, CharacterSession& character, QWidget* parent = nullptr);

  // Shows the sheet and character fields as they stand.
  void ShowFields();
  // "Utoljára elküldve: …" of the character shown, or nothing.
  void SetLastSent(const QString& text);

  // The character list and its buttons, which the character controller wires.
  QComboBox* characterList() const { return characterList_; }
  QPushButton* loadButton() const { return loadButton_; }
  QPushButton* deleteButton() const { return deleteButton_; }
  QPushButton* newButton() const { return newButton_; }
  QPushButton* saveButton() const { return saveButton_; }
  QPushButton* saveDefaultButton() const { return saveDefaultButton_; }
  // "Karakter mentés" needs a storable character; the others a list choice.
  void EnableCharacterButtons(bool storable, bool selected);
  void SetPasswordMasked(bool masked);

 signals:
  void CharacterNameChanged(const QString& name);

 private:
  void Bind();
  void SetQueueEnabled(bool on);

  QLineEdit* numberEdit_;
  QLineEdit* accountEdit_;
  QLineEdit* passwordEdit_;
  QLineEdit* nameEdit_;
  QLineEdit* descriptionEdit_;
  QComboBox* dietBox_;
  QSpinBox* raidCostBox_;
  QComboBox* characterList_;
  QPushButton* loadButton_;
  QPushButton* deleteButton_;
  QPushButton* newButton_;
  QPushButton* saveButton_;
  QPushButton* saveDefaultButton_;
  QLineEdit* turnEdit_;
  QCheckBox* requestULBox_;
  QCheckBox* requestJLBox_;
  QCheckBox* extraTurnBox_;
  QCheckBox* clubCodeBox_;
  std::array<QRadioButton*, 5> deliveryButtons_{};  // Base64 .. Csak nyomtatva
  QPushButton* resetDeliveryButton_;
  QCheckBox* queuedBox_;
  QLineEdit* queueCharacterEdit_;
  QLineEdit* queueTurnEdit_;
  QLabel* lastSent_ = nullptr;

  SheetEditor& editor_;
  const OrderDocument& document_;
  CharacterSession& character_;
  bool showing_ = false;  // ShowFields is writing the controls
};

}  // namespace mv::ui
