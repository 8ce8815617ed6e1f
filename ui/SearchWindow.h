// "Keresés az UL-ekben…" (Ctrl+Shift+F): every sheet the board sees
// searched for a code, a value or a name from the lists. A double-click
// opens the sheet at the row.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <functional>

#include "core/DataList.h"
#include "turn/TurnStatus.h"

namespace mv::ui {

class SearchWindow : public QDialog {
  Q_OBJECT
 public:
  // overview: every character's sheets, looked at when a search starts.
  SearchWindow(const ReferenceLists& lists, std::function<TurnOverview()> overview, QWidget* parent = nullptr);

  QLineEdit* text() const { return text_; }
  QCheckBox* fold() const { return fold_; }
  QTreeWidget* results() const { return results_; }
  QString said() const { return said_->text(); }

 public slots:
  void Search();

 signals:
  void OpenAt(const QString& sheet, int row);

 private:
  const ReferenceLists& lists_;
  std::function<TurnOverview()> overview_;
  QLineEdit* text_;
  QCheckBox* fold_;
  QTreeWidget* results_;
  QLabel* said_;
};

}  // namespace mv::ui
