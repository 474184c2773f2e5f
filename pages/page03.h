#pragma once
// Page03: the Print-server status page (dialog 105, "Plintrex Status") of
// both programs; the sheet gives its tab the title followed by " 狀態".
//
// It shows, read-only, what the selected server is and how it runs: default
// name, alias, Ethernet address, frame type, IP address in use, NetBEUI
// state, supported protocols, network speed and self-test page. It asks the
// device nothing: it decodes the record and the status that the manager
// holds, and the selected server-table entry.
//
// Halvex's page is behind the firmware gate; Dornel's has none and sets the
// program caption. Three value ids differ: IP in use, NetBEUI and self-test
// page are 1033, 1035, 1034 in Halvex and 1000, 1002, 1001 in Dornel.

#include <string>

#include "shell/config_page.h"

namespace pscfg {

namespace page03 {
inline constexpr int kDialog = 105;
inline constexpr int kDeviceName = 1044;
inline constexpr int kAlias = 1014;
inline constexpr int kEthernetAddress = 1027;
inline constexpr int kFrameType = 1030;
inline constexpr int kProtocols = 1031;
inline constexpr int kSpeed = 1032;
inline constexpr int kHalvexIpInUse = 1033;
inline constexpr int kHalvexNetBeui = 1035;
inline constexpr int kHalvexSelfTestPage = 1034;
inline constexpr int kDornelIpInUse = 1000;
inline constexpr int kDornelNetBeui = 1002;
inline constexpr int kDornelSelfTestPage = 1001;
// Edit limits; 0 for none.
inline constexpr int kDeviceNameLimit = 9;
inline constexpr int kAliasLimit = 48;
inline constexpr int kEthernetAddressLimit = 20;
inline constexpr int kFrameTypeLimit = 20;
inline constexpr int kProtocolsLimit = 35;
inline constexpr int kSpeedLimit = 20;
}  // namespace page03

class Page03 : public ConfigPage {
 public:
  explicit Page03(const VariantTraits& traits);

  bool OnSetActive() override;

  int ip_in_use_id() const;
  int netbeui_id() const;
  int self_test_page_id() const;

 protected:
  // The values go into the controls only: the page has nothing to take back,
  // so leaving it never refuses a text that is longer than its edit's limit.
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  void Fill(const PServerEntry& entry);

  std::string device_name_;
  std::string alias_;
  std::string ethernet_address_;
  std::string frame_type_;
  std::string ip_in_use_;
  std::string netbeui_;
  std::string protocols_;
  std::string speed_;
  std::string self_test_page_;
};

}  // namespace pscfg
