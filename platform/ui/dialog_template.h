#pragma once
// A dialog template as data: the dialog's caption and size and its controls.

#include <string>
#include <vector>

#include "platform/ui/control_template.h"

namespace pscfg::ui {

struct DialogTemplate {
  int id = 0;
  std::string caption;  // window caption; a property page's tab text
  // x and y place a child dialog (a modeless panel) in its parent window;
  // cx and cy are the client size. All in dialog units.
  DialogRect rect;
  // The font the template names. Every template of the programs names
  // "MS Sans Serif" 8, which Linux does not have: all dialogs are drawn in
  // DialogFont() (dialog_units.h) and measured by it.
  std::string font_name = "MS Sans Serif";
  int font_size = 8;
  // In tab order: focus moves through the controls in this order, and the
  // first one that takes the focus gets it when the dialog opens.
  std::vector<ControlTemplate> controls;
};

}  // namespace pscfg::ui
