#pragma once
// Page02: the Printer status page (dialog 104, "印表機狀態") of both programs.
//
// It lists the ports of the selected server with the state of the printer
// on each, reading the print-server status again whenever it becomes active
// and on "更新". Servers that answer the printer-status command (capability
// bit 0x02 of their identity block) are also asked per port: the printer's
// display text replaces the short state, and its further status entries
// follow as rows with a blank port column directly under the port.
//
// Dornel's page puts its header picture at 1054, since 1052 is the list in
// both programs; Halvex's page puts the program caption back when it is left.

#include "shell/config_page.h"

namespace pscfg {

namespace page02 {
inline constexpr int kDialog = 104;
inline constexpr int kPortList = 1052;
inline constexpr int kRefresh = 1060;
inline constexpr int kDornelHeaderPicture = 1054;
// Column widths in pixels.
inline constexpr int kPortColumnWidth = 50;
inline constexpr int kStateColumnWidth = 200;
}  // namespace page02

class Page02 : public ConfigPage {
 public:
  explicit Page02(const VariantTraits& traits);

  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnKillActive() override;

  // The number of ports the last refresh listed (extra rows not counted).
  int port_count() const { return port_count_; }

 private:
  void Refresh();
  void RefreshButton();

  int port_count_ = 0;
};

}  // namespace pscfg
