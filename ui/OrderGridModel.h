// The order sheet as a Qt table: 20 rows, columns label, code, P1..P6, TVP,
// KNO; the header row of the sheet becomes the horizontal header.
#pragma once

#include <QAbstractTableModel>
#include "core/OrderDocument.h"
#include "core/SheetEditor.h"
#include "ui/GridLook.h"

namespace mv::ui {

class OrderGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Shows the editor's document; what is typed goes through the editor.
  explicit OrderGridModel(SheetEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // "Sor", "Parancs", "P1" … "P6", "TVP", "KNO": what a screen reader calls a column.
  static QString ColumnName(int column);
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Sheet row and column of a model index.
  static int SheetRow(const QModelIndex& index) { return index.row() + 1; }

  void SetLook(const GridLook& look);
  // The document's cells changed.
  void Refresh();

 private:
  SheetEditor& editor_;
  const OrderDocument& document_;
  GridLook look_;
};

}  // namespace mv::ui
