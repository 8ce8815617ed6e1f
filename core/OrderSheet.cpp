#include "core/OrderSheet.h"

namespace mv {

OrderSheet::OrderSheet() {
  cells_[0] = {"Sor", "Par", "", "", "", "", "", "", "TVP", "KNO"};
  for (int r = 1; r <= kRows; ++r) ClearRow(r);
  RenumberRows(1);
}

OrderRow OrderSheet::Row(int row) const {
  OrderRow out;
  out.code = Cell(row, col::kCode);
  for (int k = 1; k <= 6; ++k) out.params[std::size_t(k - 1)] = Param(row, k);
  out.tvp = Cell(row, col::kTVP);
  out.kno = Cell(row, col::kKNO);
  return out;
}

void OrderSheet::SetRow(int row, const OrderRow& value) {
  Cell(row, col::kCode) = value.code;
  for (int k = 1; k <= 6; ++k) Cell(row, col::kFirstParam + k - 1) = value.params[std::size_t(k - 1)];
  Cell(row, col::kTVP) = value.tvp;
  Cell(row, col::kKNO) = value.kno;
}

void OrderSheet::ClearRow(int row) { SetRow(row, OrderRow{}); }

bool OrderRow::blank() const {
  if (!code.empty()) return false;
  for (const std::string& p : params)
    if (!p.empty()) return false;
  return true;
}

bool OrderSheet::RowIsBlank(int row) const {
  for (int c = col::kCode; c <= col::kLastParam; ++c)
    if (!Cell(row, c).empty()) return false;
  return true;
}

void OrderSheet::RenumberRows(int from) {
  for (int r = from < 1 ? 1 : from; r <= kRows; ++r) Cell(r, col::kLabel) = RowLabel(r);
}

std::string OrderSheet::RowLabel(int row) {
  std::string label = std::to_string(row);
  if (label.size() == 1) label.insert(0, "0");
  return label + ".";
}

}  // namespace mv
