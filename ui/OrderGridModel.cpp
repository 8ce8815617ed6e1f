#include "ui/OrderGridModel.h"

#include <QApplication>
#include <QPalette>

#include "ui/Text.h"

namespace mv::ui {

OrderGridModel::OrderGridModel(SheetEditor& editor, QObject* parent)
    : QAbstractTableModel(parent),
      editor_(editor),
      document_(editor.document()),
      look_(LookOf(DefaultGridColours(), 1)) {}

int OrderGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : OrderSheet::kRows; }
int OrderGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : OrderSheet::kColumns; }

QVariant OrderGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = SheetRow(index);
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return Q(document_.sheet().Cell(row, column));
    case Qt::TextAlignmentRole:
      if (column == col::kCode) return int(Qt::AlignLeft | Qt::AlignVCenter);
      if (column >= col::kFirstParam && column <= col::kLastParam) return int(Qt::AlignRight | Qt::AlignVCenter);
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
      if (column == col::kLabel) return QApplication::palette().color(QPalette::Button);
      const int band = ((row - 1) / std::max(1, look_.bandLength)) % 2;
      return band == 0 ? look_.band1 : look_.band2;
    }
    case Qt::ForegroundRole:
      return column == col::kLabel ? QApplication::palette().color(QPalette::ButtonText) : look_.fontColour;
    default: return {};
  }
}

QVariant OrderGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // A screen reader names each row and column; the header shows what the sheet's row 0 holds.
  if (role == Qt::AccessibleTextRole && orientation == Qt::Vertical && section >= 0 && section < OrderSheet::kRows)
    return QString("%1.").arg(section + 1, 2, 10, QChar('0'));
  if (orientation != Qt::Horizontal || section < 0 || section >= OrderSheet::kColumns) return {};
  if (role == Qt::AccessibleTextRole) return ColumnName(section);
  if (role == Qt::DisplayRole) return Q(document_.sheet().Cell(0, section));
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

QString OrderGridModel::ColumnName(int column) {
  switch (column) {
    case col::kLabel: return "Sor";
    case col::kCode: return "Parancs";
    case col::kTVP: return "TVP";
    case col::kKNO: return "KNO";
    default: break;
  }
  return QString("P%1").arg(column - col::kCode);
}

Qt::ItemFlags OrderGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.column() == col::kLabel) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool OrderGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.column() == col::kLabel) return false;
  // The document announces the change; the grid redraws from that.
  editor_.TypeInCell(SheetRow(index), index.column(), W(value.toString()));
  return true;
}

void OrderGridModel::SetLook(const GridLook& look) {
  look_ = look;
  Refresh();
}

void OrderGridModel::Refresh() {
  emit dataChanged(index(0, 0), index(OrderSheet::kRows - 1, OrderSheet::kColumns - 1));
  emit headerDataChanged(Qt::Horizontal, 0, OrderSheet::kColumns - 1);
}

}  // namespace mv::ui
