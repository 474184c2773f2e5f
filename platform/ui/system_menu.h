#pragma once
// The window menu that the programs extend (the platform calls it the
// system menu).
//
// Linux window managers do not let a program add items to their own window
// menu, so a window keeps one of its own and opens it where a user looks for
// it: on Alt+Space (unless the window manager takes that key itself) and on
// the context menu of a given area, such as a sheet's tab bar. It starts
// with the platform's "關閉" (closes the window like its close box) and then
// holds the items the program added, in order.

#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace pscfg::ui {

inline constexpr const char* kCloseMenuText = "關閉";

class SystemMenu {
 public:
  void AddSeparator();
  void AddItem(std::string text, std::function<void()> action);

  // Builds the menu for `window` and opens it on Alt+Space and on the
  // context menu of `area`. Items added later are added to it too; the menu
  // goes with the window.
  void Attach(QWidget* window, QWidget* area);
  QMenu* menu() const { return menu_.data(); }
  void Popup(const QPoint& global_position);

 private:
  struct Item {
    std::string text;  // empty for a separator
    std::function<void()> action;
  };

  void AddToMenu(const Item& item);

  std::vector<Item> items_;
  QPointer<QMenu> menu_;
};

}  // namespace pscfg::ui
