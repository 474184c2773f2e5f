#include "shell/page_template.h"

#include <utility>

namespace pscfg {

ui::DialogTemplate PageTemplate(const VariantTraits& traits, int id, std::string caption,
                                bool with_header, int height) {
  ui::DialogTemplate dialog;
  dialog.id = id;
  dialog.caption = std::move(caption);
  dialog.rect = {0, 0, kPageWidth, height > 0 ? height : traits.page_height};
  if (with_header) {
    dialog.controls = {
        ui::Bitmap(traits.header_picture_id, traits.header_bitmap, {7, 6, 25, 25}),
        ui::StaticText(traits.header_title_id, std::string(kHeaderTitleDialogText),
                       {40, 10, 193, 12}),
        ui::EtchedLine(ui::kIdStatic, {7, 30, 226, 1}),
    };
  }
  return dialog;
}

ui::ControlTemplate NameLabel(const VariantTraits& traits, ui::DialogRect rect) {
  return ui::StaticText(traits.name_label_id, std::string(traits.name_label_text), rect,
                        ui::style::kAlignRight);
}

}  // namespace pscfg
