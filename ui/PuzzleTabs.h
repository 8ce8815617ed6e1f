// The calculator tabs: "Rejtvények", "LV rejtvények" and "Formázók". They
// only show fields and hand their texts to puzzles/.
#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "core/DataList.h"
#include "core/Lookups.h"

namespace mv::ui {

// A page of calculators whose fields are found by name.
class CalculatorPage : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  QLineEdit* Field(const QString& name) const { return fields_.at(name); }

 protected:
  // An input field; unless told otherwise, the next RecomputeOnInputs
  // makes its changes run the calculator.
  QLineEdit* AddInput(QGridLayout* grid, int row, int column, const QString& caption, const QString& name,
                      const QString& text = {}, bool recomputes = true);
  QLineEdit* AddResult(QGridLayout* grid, int row, int column, const QString& caption, const QString& name);
  std::string Text(const QString& name) const;
  // A result field: nothing keeps it, text replaces it.
  void Put(const QString& name, const std::optional<std::string>& text);
  char Decimal() const;

  // The calculator runs on every change of the inputs added since the last call.
  template <typename Page>
  void RecomputeOnInputs(void (Page::*recompute)()) {
    for (QLineEdit* edit : pendingInputs_) connect(edit, &QLineEdit::textChanged, static_cast<Page*>(this), recompute);
    pendingInputs_.clear();
  }

  std::map<QString, QLineEdit*> fields_;

 private:
  QLineEdit* AddEdit(QGridLayout* grid, int row, int column, const QString& caption, const QString& name,
                     const QString& text);
  std::vector<QLineEdit*> pendingInputs_;
};

class RiddlesTab : public CalculatorPage {
  Q_OBJECT
 public:
  explicit RiddlesTab(QWidget* parent = nullptr);

 private:
  void Walking();
  void Miglands();
  void Monsters();
  void Offspring();
  void Equations();
};

class ValleyTab : public CalculatorPage {
  Q_OBJECT
 public:
  explicit ValleyTab(QWidget* parent = nullptr);
  QComboBox* picker() const { return picker_; }
  QGroupBox* group(int index) const { return groups_.at(std::size_t(index)); }

 private:
  void Cheese();
  void Shells();
  void Reservoir();
  void Spices();

  QComboBox* picker_;
  std::array<QGroupBox*, 4> groups_{};
};

class FormatterTab : public QWidget {
  Q_OBJECT
 public:
  explicit FormatterTab(const ReferenceLists& lists, QWidget* parent = nullptr);
  QComboBox* families() const { return families_; }
  QComboBox* kinds() const { return kinds_; }
  QLabel* itemLabel() const { return item_; }
  QLabel* levelLabel() const { return level_; }
  void Refill();  // the tab's show handler fills the pickers

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Format();

  const ReferenceLists& lists_;
  const Lookups lookups_;
  QComboBox* families_;
  QComboBox* kinds_;
  QLabel* item_;
  QLabel* level_;
};

}  // namespace mv::ui
