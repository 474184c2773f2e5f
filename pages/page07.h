#pragma once
// Page07: Halvex's Factory defaults page (dialog 110, "出廠預設值").
//
// It shows what the factory settings of the selected server are and, on
// "設成預設值", puts them into the manager's record and the server table
// (the alias becomes the device name at once, in the General page's list
// too) and writes the record; "重置" applies it. Dornel has no such page:
// its print-server settings page does the same reset through its
// "出廠預設值" box, with PutFactoryDefaults below.

#include <string>

#include "shell/config_page.h"

namespace pscfg {

namespace page07 {
inline constexpr int kDialog = 110;
inline constexpr int kDeviceName = 1037;
inline constexpr int kSelfTestPage = 1035;
inline constexpr int kNetWare = 1038;
inline constexpr int kTcpIp = 1036;
inline constexpr int kDhcpServer = 1039;
inline constexpr int kNetBeui = 1040;
inline constexpr int kSetDefaults = 1015;
inline constexpr int kReset = 1064;
}  // namespace page07

// The factory defaults of the selected server, put into the manager's
// record (ApplyFactoryDefaults) and into the entry, whose alias becomes its
// 8-byte device name. Returns that alias (CP950). The caller shows it in
// the General page's list and says that "重置" applies it.
std::string PutFactoryDefaults(CPServerManager& manager, PServerEntry& entry);

class Page07 : public ConfigPage {
 public:
  explicit Page07(const VariantTraits& traits);

  bool OnSetActive() override;
  bool OnKillActive() override;

 protected:
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  void SetDefaults();

  std::string device_name_;
  std::string self_test_page_;
  std::string netware_;
  std::string tcpip_;
  std::string dhcp_server_;
  std::string netbeui_;
};

}  // namespace pscfg
