#include "core/SheetDiff.h"

#include <algorithm>

namespace mv {

namespace {

bool SameOrder(const OrderRow& x, const OrderRow& y) { return x.code == y.code && x.params == y.params; }

std::vector<int> FilledRows(const DiffSide& side) {
  std::vector<int> rows;
  for (int r = 1; r <= OrderSheet::kRows; ++r)
    if (!side.rows[std::size_t(r - 1)].blank()) rows.push_back(r);
  return rows;
}

const OrderRow& At(const DiffSide& side, int row) { return side.rows[std::size_t(row - 1)]; }

}  // namespace

std::string_view RowChangeKey(RowChange change) {
  switch (change) {
    case RowChange::Same: return "same";
    case RowChange::Added: return "added";
    case RowChange::Removed: return "removed";
    case RowChange::Changed: return "changed";
    case RowChange::Moved: return "moved";
  }
  return "same";
}

bool SheetDiff::same() const {
  return fields.empty() &&
         std::all_of(rows.begin(), rows.end(), [](const RowDiff& r) { return r.change == RowChange::Same; });
}

SheetDiff DiffSheets(const DiffSide& a, const DiffSide& b) {
  SheetDiff diff;
  diff.tvpA = a.tvpTotal;
  diff.tvpB = b.tvpTotal;
  const std::vector<int> ra = FilledRows(a), rb = FilledRows(b);
  const std::size_t n = ra.size(), m = rb.size();

  // The longest run of identical orders kept in order is "same": a row
  // inserted above the others does not make them all "moved".
  std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      lcs[i][j] =
          SameOrder(At(a, ra[i]), At(b, rb[j])) ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  std::vector<int> partnerOfA(n, -1), partnerOfB(m, -1);
  for (std::size_t i = 0, j = 0; i < n && j < m;) {
    if (SameOrder(At(a, ra[i]), At(b, rb[j]))) {
      partnerOfA[i] = int(j);
      partnerOfB[j] = int(i);
      diff.rows.push_back({ra[i], rb[j], RowChange::Same, {}});
      ++i, ++j;
    } else if (lcs[i + 1][j] >= lcs[i][j + 1]) {
      ++i;
    } else {
      ++j;
    }
  }
  // Identical orders out of that run moved.
  for (std::size_t j = 0; j < m; ++j) {
    if (partnerOfB[j] >= 0) continue;
    for (std::size_t i = 0; i < n; ++i) {
      if (partnerOfA[i] >= 0 || !SameOrder(At(a, ra[i]), At(b, rb[j]))) continue;
      partnerOfA[i] = int(j);
      partnerOfB[j] = int(i);
      diff.rows.push_back({ra[i], rb[j], RowChange::Moved, {}});
      break;
    }
  }
  // The same code with other parameters changed; the same row number first.
  for (const bool sameRowOnly : {true, false}) {
    for (std::size_t j = 0; j < m; ++j) {
      if (partnerOfB[j] >= 0) continue;
      for (std::size_t i = 0; i < n; ++i) {
        if (partnerOfA[i] >= 0 || At(a, ra[i]).code != At(b, rb[j]).code) continue;
        if (sameRowOnly && ra[i] != rb[j]) continue;
        partnerOfA[i] = int(j);
        partnerOfB[j] = int(i);
        RowDiff row{ra[i], rb[j], RowChange::Changed, {}};
        for (int k = 0; k < 6; ++k)
          if (At(a, ra[i]).params[std::size_t(k)] != At(b, rb[j]).params[std::size_t(k)]) row.params.push_back(k + 1);
        diff.rows.push_back(std::move(row));
        break;
      }
    }
  }
  for (std::size_t j = 0; j < m; ++j)
    if (partnerOfB[j] < 0) diff.rows.push_back({0, rb[j], RowChange::Added, {}});
  for (std::size_t i = 0; i < n; ++i)
    if (partnerOfA[i] < 0) diff.rows.push_back({ra[i], 0, RowChange::Removed, {}});
  // In B's order; a removed row where it stood on A.
  std::stable_sort(diff.rows.begin(), diff.rows.end(), [](const RowDiff& x, const RowDiff& y) {
    const int px = x.b ? x.b : x.a, py = y.b ? y.b : y.a;
    if (px != py) return px < py;
    return x.change == RowChange::Removed && y.change != RowChange::Removed;
  });

  // No structured bindings here: clang 14 (the fuzzers' compiler) cannot capture them.
  for (const auto& field : b.fields) {
    const auto other = std::find_if(a.fields.begin(), a.fields.end(), [&](auto& f) { return f.first == field.first; });
    if (other == a.fields.end() || other->second != field.second) diff.fields.push_back(field.first);
  }
  for (const auto& field : a.fields)
    if (std::none_of(b.fields.begin(), b.fields.end(), [&](auto& f) { return f.first == field.first; }))
      diff.fields.push_back(field.first);
  return diff;
}

}  // namespace mv
