// "Parancsválasztás": every command by code and name; the choice becomes a
// new order row.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

namespace mv::ui {

class CommandPicker : public QDialog {
  Q_OBJECT
 public:
  explicit CommandPicker(QWidget* parent = nullptr);

  // Catalogue number of the selected row (1..102).
  int SelectedNumber() const { return list_->currentRow() + 1; }
  QListWidget* list() const { return list_; }

  // The list row of a command: code padded to five characters, then the name.
  static QString RowText(int number);

 signals:
  void HelpRequested(const QString& topic);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QListWidget* list_;
};

}  // namespace mv::ui
