#pragma once
// The controls of one dialog window, found by id, and its radio groups.
//
// Radio groups follow the template order: a radio button with style::kGroup
// opens a group, and radio buttons after it join that group until a control
// with style::kGroup comes; other controls in between (labels, say) do not
// end it. A radio button with no open group opens one. Within a group one
// button at most is checked; clicking one unchecks the others.

#include <QButtonGroup>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "platform/ui/control_template.h"

namespace pscfg::ui {

struct Control {
  int id = kIdStatic;
  ControlKind kind = ControlKind::kStatic;
  unsigned style = style::kNone;
  QPointer<QWidget> widget;  // null once the window is gone
  int group = -1;            // radio group number, or -1
};

class ControlSet {
 public:
  // Adds a control; a radio button is put in its group, which is created
  // with `owner` as its parent.
  void Add(Control control, QObject* owner);

  // The first control with `id` (labels may share kIdStatic), or null.
  const Control* Find(int id) const;
  QWidget* Widget(int id) const;
  // Id of the control that is or contains `widget`; 0 when it is none of ours.
  int IdOf(const QWidget* widget) const;

  // The radio buttons of the group of `id`, in template order; empty when
  // `id` is no radio button.
  std::vector<const Control*> RadioGroupOf(int id) const;
  // Checks or unchecks one radio button; checking it unchecks the others of
  // its group.
  void SetRadioChecked(const Control& radio, bool checked) const;

  const std::vector<Control>& controls() const { return controls_; }
  void Clear();

 private:
  std::vector<Control> controls_;
  std::vector<QPointer<QButtonGroup>> groups_;
  bool group_open_ = false;
};

}  // namespace pscfg::ui
