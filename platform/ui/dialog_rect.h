#pragma once

namespace pscfg::ui {

// Position and size in dialog units: x and cx in quarters of the dialog
// font's average character width, y and cy in eighths of its height.
struct DialogRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

}  // namespace pscfg::ui
