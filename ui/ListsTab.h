// The "Listák" tab: edit the reference list files as text, save them, read
// them again, or sort them.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <filesystem>

#include "core/DataList.h"

namespace mv::ui {

class ListsTab : public QWidget {
  Q_OBJECT
 public:
  ListsTab(std::filesystem::path directory, ReferenceLists& lists, QWidget* parent = nullptr);

  QComboBox* combo() const { return combo_; }
  QPlainTextEdit* memo() const { return memo_; }
  QLabel* memoTitle() const { return title_; }
  QPushButton* saveButton() const { return save_; }

  void LoadSelected();  // "Betölt"
  void SaveMemo();      // "Ment"
  void Update();        // " Aktualizálás"
  void Sort();          // " Sorrendezés"

 signals:
  void ListsChanged();

 private:
  void ResetEditor();

  std::filesystem::path directory_;
  ReferenceLists& lists_;
  QComboBox* combo_;
  QLabel* title_;
  QPlainTextEdit* memo_;
  QPushButton* save_;
};

}  // namespace mv::ui
