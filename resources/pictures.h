#pragma once
// The programs' own pictures, drawn in code so that no picture file is
// needed to start: the program icon and the header picture that a page shows
// when "logo.bmp" is missing or unreadable.

#include <QImage>

namespace pscfg::resources {

inline constexpr int kPictureSize = 32;  // pixels, both pictures

// Icon resource 128: a printer with a network cable on a green tile.
QImage ProgramIcon();

// Bitmap resources 129 (Halvex) and 131 (Dornel): a print-server box with
// its port lights, on the dialog's background.
QImage HeaderPicture();

}  // namespace pscfg::resources
