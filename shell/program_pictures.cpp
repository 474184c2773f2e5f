#include "shell/program_pictures.h"

#include "platform/ui/bitmap_resources.h"
#include "resources/pictures.h"
#include "shell/variant_traits.h"

namespace pscfg {

void RegisterProgramPictures() {
  static const bool registered = [] {
    ui::RegisterBitmapResource(kProgramIconResource, resources::ProgramIcon());
    const QImage header = resources::HeaderPicture();
    for (Variant variant : {Variant::kHalvex, Variant::kDornel}) {
      ui::RegisterBitmapResource(TraitsOf(variant).header_bitmap, header);
    }
    return true;
  }();
  (void)registered;
}

}  // namespace pscfg
