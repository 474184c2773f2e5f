#pragma once
// What differs between the two builds of the configuration program.
//
// Halvex and Dornel share every class of the shell and the pages; the
// control ids, picture numbers, sizes and texts in which their dialogs
// differ are looked up here instead.
//
//                              Halvex                   Dornel
//   header picture control     1135                     1052
//   header title control       1120                     1049
//   name label control         1121                     1050
//   header bitmap resource     129                      131
//   page template size         240 x 230                240 x 215
//   name label dialog text     "名稱"                   "列印伺服器名稱"
//   about box lines            1120, 1139, 1138         1049, 1055, 1056
//   sockets start-up message   "Windows sockets初始失敗"  "Windows sockets 初始失敗."

#include <string_view>

#include "protocol/server_manager.h"
#include "protocol/wire.h"

namespace pscfg {

// The program's search of the network: RefreshServers in Halvex, XGetPort
// in Dornel. Returns the operation's result.
using DiscoveryFunction = bool (*)(CPServerManager& manager);

struct AboutBoxIds {
  int caption_line;
  int notice_line;
  int version_line;
};

struct VariantTraits {
  Variant variant;
  std::string_view program_name;
  int header_picture_id;
  int header_title_id;
  int name_label_id;
  int header_bitmap;
  int page_height;
  std::string_view name_label_text;
  AboutBoxIds about;
  std::string_view sockets_failed_message;
  DiscoveryFunction discover;
};

const VariantTraits& TraitsOf(Variant variant);

// Shared by both builds.
inline constexpr int kPageWidth = 240;            // dialog units
inline constexpr int kProgramIconResource = 128;  // icon of the sheet and the about box
inline constexpr std::string_view kHeaderTitleDialogText = "列印伺服器";
inline constexpr std::string_view kNameLabelText = " 名稱";

}  // namespace pscfg
