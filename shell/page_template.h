#pragma once
// Dialog templates of the pages: the program's page size and the header
// that (almost) every page starts with.
//
// Header, in dialog units from the top left of the page:
//   picture  7, 6   (sized by its picture: the program's bitmap or logo.bmp)
//   title    40, 10, 193 x 12   the configured title
//   line     7, 30, 226 x 1     sunken
// The page's own controls start at kHeaderBottom.

#include <string>

#include "platform/ui/dialog_template.h"
#include "shell/variant_traits.h"

namespace pscfg {

inline constexpr int kHeaderBottom = 36;

// A page dialog `id` with `caption` (its tab text), of the program's page
// height unless `height` gives another, with the header controls first when
// `with_header`.
ui::DialogTemplate PageTemplate(const VariantTraits& traits, int id, std::string caption,
                                bool with_header = true, int height = 0);

// The right-aligned label beside the server name (General, IP settings and
// DHCP server information pages); its text becomes " 名稱".
ui::ControlTemplate NameLabel(const VariantTraits& traits, ui::DialogRect rect);

}  // namespace pscfg
