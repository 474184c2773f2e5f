#pragma once
// Puts the programs' own pictures (resources/pictures.h) under their
// resource numbers: icon 128, header bitmaps 129 and 131. Safe to call more
// than once; the dialogs call it before they are built.

namespace pscfg {

void RegisterProgramPictures();

}  // namespace pscfg
