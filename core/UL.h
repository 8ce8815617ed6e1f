// The interpreter: turns the current order row into its name, description
// lines and costs, and keeps the totals and the check number.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/EditorModel.h"
#include "core/Lookups.h"

namespace mv {

class CommandInterpreter {
 public:
  explicit CommandInterpreter(EditorModel& model) : model_(model), lookups_(model.lists) {}

  // Interprets model.currentRow.
  void InterpretRow();

  // Write a cost cell and recompute its total.
  void SetRowTVP(int row, std::string_view text);
  void SetRowKNO(int row, std::string_view text);
  void UpdateCheckNumber();

  const Lookups& lookups() const { return lookups_; }
  EditorModel& model() { return model_; }

 private:
  EditorModel& model_;
  Lookups lookups_;
};

// An "Össz" figure: the column's costs summed as the totals count them
// (text that is no integer counts 0), a negative sum shown as 0.
long long ColumnTotal(const OrderSheet& sheet, int column);

// Whether the frame resets the row's TVP cell before the handler runs; the
// handlers of these codes decide themselves.
bool FrameResetsTVP(std::string_view lowerCode);

}  // namespace mv
