// The order grid: a header row and 20 order rows of ten text cells.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace mv {

namespace col {
inline constexpr int kLabel = 0;
inline constexpr int kCode = 1;
inline constexpr int kFirstParam = 2;  // P1
inline constexpr int kLastParam = 7;   // P6
inline constexpr int kTVP = 8;
inline constexpr int kKNO = 9;
}  // namespace col

// One order row as values; used where rows are moved as a whole.
struct OrderRow {
  std::string code;
  std::array<std::string, 6> params;
  std::string tvp = "0";
  std::string kno = "0";

  // No code and no parameter, as OrderSheet::RowIsBlank says of a row.
  bool blank() const;
  bool operator==(const OrderRow&) const = default;
};

class OrderSheet {
 public:
  static constexpr int kRows = 20;     // order rows 1..20
  static constexpr int kColumns = 10;  // 0 label, 1 code, 2..7 P1..P6, 8 TVP, 9 KNO

  OrderSheet();

  std::string& Cell(int row, int column) { return cells_.at(std::size_t(row)).at(std::size_t(column)); }
  const std::string& Cell(int row, int column) const { return cells_.at(std::size_t(row)).at(std::size_t(column)); }
  // Parameter k = 1..6 of a row.
  const std::string& Param(int row, int k) const { return Cell(row, col::kFirstParam + k - 1); }

  OrderRow Row(int row) const;
  void SetRow(int row, const OrderRow& value);  // the label stays
  // Columns 1..7 empty and both costs "0".
  void ClearRow(int row);
  // True when the code and all six parameters are empty.
  bool RowIsBlank(int row) const;

  // Labels "01." .. "20." from the given row down.
  void RenumberRows(int from);

  static std::string RowLabel(int row);

  bool operator==(const OrderSheet&) const = default;

 private:
  std::array<std::array<std::string, kColumns>, kRows + 1> cells_;
};

}  // namespace mv
