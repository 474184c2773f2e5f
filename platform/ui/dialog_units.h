#pragma once
// Dialog units and the dialog font.
//
// Templates give positions in dialog units. A dialog converts them with the
// base units of its font, as the Windows dialog manager does: the average
// width of the letters A-Z and a-z, and the font height, in pixels.
//   pixels x = round(x * base.x / 4),  pixels y = round(y * base.y / 8)
// (each of x, y, cx and cy on its own, rounding halves away from zero).

#include <QFont>
#include <QRect>

#include "platform/ui/dialog_rect.h"

namespace pscfg::ui {

struct DialogBaseUnits {
  int x = 0;  // average character width, pixels
  int y = 0;  // character height, pixels
};

// The font of every dialog: "Noto Sans CJK TC" 9 pt (it carries the
// Traditional Chinese texts and measures close to the programs' own dialog
// font), else "DejaVu Sans" 9 pt, else the application font at 9 pt.
QFont DialogFont();

// Base units of a font: ((width of "A".."Z" "a".."z") / 26 + 1) / 2 and the
// font height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// Base units of DialogFont(), measured once.
DialogBaseUnits CurrentBaseUnits();

int DialogUnitsToPixelsX(int x, DialogBaseUnits units);
int DialogUnitsToPixelsY(int y, DialogBaseUnits units);
QRect DialogUnitsToPixels(const DialogRect& rect, DialogBaseUnits units);

}  // namespace pscfg::ui
