#include "shell/variant_traits.h"

namespace pscfg {
namespace {

bool DornelDiscovery(CPServerManager& manager) { return manager.XGetPort(); }

// The IPX search (bindery scan and broadcast) comes with the IPX discovery;
// until it is there Halvex's search empties the table and finds nothing.
bool HalvexDiscovery(CPServerManager& manager) {
  manager.ClearServers();
  return true;
}

constexpr VariantTraits kHalvex{
    .variant = Variant::kHalvex,
    .program_name = "Halvex",
    .header_picture_id = 1135,
    .header_title_id = 1120,
    .name_label_id = 1121,
    .header_bitmap = 129,
    .page_height = 230,
    .name_label_text = "名稱",
    .about = {.caption_line = 1120, .notice_line = 1139, .version_line = 1138},
    .sockets_failed_message = "Windows sockets初始失敗",
    .discover = &HalvexDiscovery,
};

constexpr VariantTraits kDornel{
    .variant = Variant::kDornel,
    .program_name = "Dornel",
    .header_picture_id = 1052,
    .header_title_id = 1049,
    .name_label_id = 1050,
    .header_bitmap = 131,
    .page_height = 215,
    .name_label_text = "列印伺服器名稱",
    .about = {.caption_line = 1049, .notice_line = 1055, .version_line = 1056},
    .sockets_failed_message = "Windows sockets 初始失敗.",
    .discover = &DornelDiscovery,
};

}  // namespace

const VariantTraits& TraitsOf(Variant variant) {
  return variant == Variant::kHalvex ? kHalvex : kDornel;
}

}  // namespace pscfg
