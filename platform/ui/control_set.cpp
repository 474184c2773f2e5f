#include "platform/ui/control_set.h"

#include <QAbstractButton>
#include <utility>

namespace pscfg::ui {

void ControlSet::Add(Control control, QObject* owner) {
  if (control.kind == ControlKind::kRadioButton) {
    if (!group_open_ || (control.style & style::kGroup) != 0) {
      auto* group = new QButtonGroup(owner);
      group->setExclusive(true);
      groups_.emplace_back(group);
      group_open_ = true;
    }
    control.group = static_cast<int>(groups_.size()) - 1;
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget.data())) {
      groups_.back()->addButton(button);
    }
  } else if ((control.style & style::kGroup) != 0) {
    group_open_ = false;
  }
  controls_.push_back(std::move(control));
}

const Control* ControlSet::Find(int id) const {
  for (const Control& control : controls_) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

QWidget* ControlSet::Widget(int id) const {
  const Control* control = Find(id);
  return control == nullptr ? nullptr : control->widget.data();
}

int ControlSet::IdOf(const QWidget* widget) const {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    for (const Control& control : controls_) {
      if (control.widget == widget) return control.id;
    }
  }
  return 0;
}

std::vector<const Control*> ControlSet::RadioGroupOf(int id) const {
  std::vector<const Control*> radios;
  const Control* member = Find(id);
  if (member == nullptr || member->group < 0) return radios;
  for (const Control& control : controls_) {
    if (control.group == member->group) radios.push_back(&control);
  }
  return radios;
}

void ControlSet::SetRadioChecked(const Control& radio, bool checked) const {
  auto* button = qobject_cast<QAbstractButton*>(radio.widget.data());
  if (button == nullptr) return;
  QButtonGroup* group = radio.group >= 0 && radio.group < static_cast<int>(groups_.size())
                            ? groups_[radio.group]
                            : nullptr;
  if (checked || group == nullptr) {
    button->setChecked(checked);
    return;
  }
  // An exclusive group keeps its checked button; let go of it for a moment.
  group->setExclusive(false);
  button->setChecked(false);
  group->setExclusive(true);
}

void ControlSet::Clear() {
  controls_.clear();
  groups_.clear();
  group_open_ = false;
}

}  // namespace pscfg::ui
