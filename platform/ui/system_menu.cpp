#include "platform/ui/system_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QShortcut>
#include <utility>

#include "platform/ui/qt_text.h"

namespace pscfg::ui {

void SystemMenu::AddSeparator() {
  items_.push_back({});
  if (menu_) AddToMenu(items_.back());
}

void SystemMenu::AddItem(std::string text, std::function<void()> action) {
  items_.push_back({std::move(text), std::move(action)});
  if (menu_) AddToMenu(items_.back());
}

void SystemMenu::Attach(QWidget* window, QWidget* area) {
  delete menu_.data();
  menu_ = new QMenu(window);
  QAction* close = menu_->addAction(ToQString(kCloseMenuText));
  QObject::connect(close, &QAction::triggered, window, [window] { window->close(); });
  for (const Item& item : items_) AddToMenu(item);

  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window);
  QObject::connect(shortcut, &QShortcut::activated, menu_.data(),
                   [this, window] { Popup(window->mapToGlobal(QPoint(0, 0))); });
  area->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(area, &QWidget::customContextMenuRequested, menu_.data(),
                   [this, area](const QPoint& position) { Popup(area->mapToGlobal(position)); });
}

void SystemMenu::Popup(const QPoint& global_position) {
  if (menu_) menu_->popup(global_position);
}

void SystemMenu::AddToMenu(const Item& item) {
  if (item.text.empty()) {
    menu_->addSeparator();
    return;
  }
  QAction* action = menu_->addAction(ToQString(item.text));
  QObject::connect(action, &QAction::triggered, menu_.data(), [run = item.action] {
    if (run) run();
  });
}

}  // namespace pscfg::ui
