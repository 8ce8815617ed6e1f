// Blocks of orders from the grid: "Sablonként mentés…" keeps the selected
// rows under a name, "Sablon beszúrása" (Ctrl+Shift+B) lists the blocks and
// puts the chosen one in at the cursor, or renames or deletes one.
#pragma once

#include <QDialog>
#include <QObject>
#include <QTreeWidget>
#include <filesystem>

#include "core/SheetEditor.h"
#include "store/OrderTemplates.h"

namespace mv::ui {

class OrderTab;

class TemplateList : public QDialog {
  Q_OBJECT
 public:
  TemplateList(std::filesystem::path programDirectory, const Lookups& lookups, QWidget* parent = nullptr);
  QTreeWidget* list() const { return list_; }
  // The block chosen with "Beszúrás".
  const OrderTemplate* Chosen() const;
  void Reload();

 private:
  void Rename();
  void Delete();

  std::filesystem::path programDirectory_;
  Lookups lookups_;
  std::vector<OrderTemplate> templates_;
  QTreeWidget* list_;
};

class TemplateActions : public QObject {
  Q_OBJECT
 public:
  TemplateActions(SheetEditor& editor, OrderTab* tab, std::filesystem::path programDirectory, QWidget* window);

 public slots:
  void SaveSelection();
  void InsertTemplate();

 private:
  SheetEditor& editor_;
  OrderTab* tab_;
  std::filesystem::path programDirectory_;
  QWidget* window_;
};

}  // namespace mv::ui
