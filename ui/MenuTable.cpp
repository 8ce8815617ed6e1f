#include "ui/MenuTable.h"

namespace mv::ui {

MenuItem Item(const char* name, const QString& caption, const QKeySequence& keys, std::function<void()> run,
              std::function<bool()> enabled) {
  MenuItem item;
  item.name = name;
  item.caption = caption;
  item.keys = keys;
  item.run = std::move(run);
  item.enabled = std::move(enabled);
  return item;
}

MenuItem Separator() {
  MenuItem item;
  item.kind = MenuItem::Kind::Separator;
  return item;
}

MenuItem Submenu(const char* name, const QString& caption, std::vector<MenuItem> items) {
  MenuItem item;
  item.kind = MenuItem::Kind::Submenu;
  item.name = name;
  item.caption = caption;
  item.items = std::move(items);
  return item;
}

MenuItem Existing(const char* name) {
  MenuItem item;
  item.kind = MenuItem::Kind::Existing;
  item.name = name;
  return item;
}

MenuTable::MenuTable(QWidget* window) : QObject(window), window_(window) {}

QMenu* MenuTable::AddMenu(QMenuBar* bar, const char* name, const QString& caption, const std::vector<MenuItem>& items) {
  QMenu* menu = bar->addMenu(caption);
  menu->setObjectName(name);
  menus_[name] = menu;
  Fill(menu, items);
  return menu;
}

void MenuTable::Fill(QMenu* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItem::Kind::Separator: menu->addSeparator(); break;
      case MenuItem::Kind::Existing: menu->addAction(Action(item.name)); break;
      case MenuItem::Kind::Submenu: {
        QMenu* sub = menu->addMenu(item.caption);
        sub->setObjectName(item.name);
        menus_[item.name] = sub;
        Fill(sub, item.items);
        break;
      }
      case MenuItem::Kind::Action: {
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(item.name);
        if (!item.keys.isEmpty()) {
          action->setShortcut(item.keys);
          action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, window_, item.run);
        actions_[item.name] = action;
        if (item.enabled) rules_.emplace_back(action, item.enabled);
        break;
      }
    }
  }
  UpdateEnabled();
}

QAction* MenuTable::Action(const char* name) const {
  const auto at = actions_.find(name);
  return at == actions_.end() ? nullptr : at->second;
}

QMenu* MenuTable::Menu(const char* name) const {
  const auto at = menus_.find(name);
  return at == menus_.end() ? nullptr : at->second;
}

void MenuTable::UpdateEnabled() {
  for (const auto& [action, enabled] : rules_) action->setEnabled(enabled());
}

}  // namespace mv::ui
