// Menus as tables: each item's caption, keys, what it does and the state in
// which it can be used. One look at every rule keeps the menu bar and the
// pop-up menu in step with the document and the character.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace mv::ui {

struct MenuItem {
  enum class Kind { Action, Separator, Submenu, Existing };
  Kind kind = Kind::Action;
  const char* name = nullptr;  // the object name tests and tools find it by
  QString caption;
  QKeySequence keys;
  std::function<void()> run;
  std::function<bool()> enabled;  // none: always usable
  std::vector<MenuItem> items;    // of a submenu
};

MenuItem Item(const char* name, const QString& caption, const QKeySequence& keys, std::function<void()> run,
              std::function<bool()> enabled = {});
MenuItem Separator();
MenuItem Submenu(const char* name, const QString& caption, std::vector<MenuItem> items = {});
// An item already built in another menu, shown here too (the pop-up menu).
MenuItem Existing(const char* name);

class MenuTable : public QObject {
  Q_OBJECT
 public:
  explicit MenuTable(QWidget* window);

  QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption, const std::vector<MenuItem>& items);
  void Fill(QMenu* menu, const std::vector<MenuItem>& items);
  QAction* Action(const char* name) const;
  QMenu* Menu(const char* name) const;

 public slots:
  // Every rule looked at again.
  void UpdateEnabled();

 private:
  QWidget* window_;
  std::map<std::string, QAction*> actions_;
  std::map<std::string, QMenu*> menus_;
  std::vector<std::pair<QAction*, std::function<bool()>>> rules_;
};

}  // namespace mv::ui
