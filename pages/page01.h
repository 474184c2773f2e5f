#pragma once
// Page01: the IP settings page (dialog 103, "IP 設定") of both programs.
//
// It shows and edits the TCP/IP address settings of the selected server:
// automatic ("自動") or fixed ("指定") address, and the fixed IP address,
// gateway and subnet mask (record bytes 490 to 501). Choosing "指定" for a
// server that has no address yet proposes the address next to the PC's own
// one (.n+1, or .254 after .255); the PC's address comes from its host name
// and its subnet mask from the registry. Before a fixed address is written
// the page warns when it is not in the PC's network.
//
// Halvex's page is behind the firmware gate and refuses servers without
// TCP/IP; Dornel lists only TCP/IP servers, has no gate and sets the
// program caption. The gateway and mask edits are 1113/1114 in Halvex,
// 1030/1031 in Dornel.

#include <array>
#include <string>
#include <vector>

#include "platform/sysinfo/name_services.h"
#include "platform/sysinfo/os_version.h"
#include "shell/config_page.h"

namespace pscfg {

namespace page01 {
inline constexpr int kDialog = 103;
inline constexpr int kAlias = 1003;
inline constexpr int kAutomatic = 1005;
inline constexpr int kFixed = 1006;
inline constexpr int kIpAddress = 1042;
inline constexpr int kTcpIpSupport = 1012;
inline constexpr int kWrite = 1043;
inline constexpr int kReset = 1016;
inline constexpr int kHalvexGateway = 1113;
inline constexpr int kHalvexMask = 1114;
inline constexpr int kDornelGateway = 1030;
inline constexpr int kDornelMask = 1031;
inline constexpr int kAliasLimit = 48;
inline constexpr int kIpAddressLimit = 20;
// The gateway and mask edits have no limit of their own; a longer text is
// refused like any other bad address.
inline constexpr int kLongestAddressText = 20;
// gethostname's buffer.
inline constexpr int kHostNameBuffer = 50;
// Values of the address mode (the radio group at 1005).
inline constexpr int kModeAutomatic = 0;
inline constexpr int kModeFixed = 1;
}  // namespace page01

class Page01 : public ConfigPage {
 public:
  explicit Page01(const VariantTraits& traits);

  bool OnSetActive() override;

  int gateway_id() const;
  int mask_id() const;

  // The page's own values, for tests.
  int address_mode() const { return address_mode_; }
  const std::string& ip_text() const { return ip_; }
  const std::string& pc_address() const { return pc_address_; }
  const std::string& pc_mask() const { return pc_mask_; }

 protected:
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  void Automatic();
  void Fixed();
  // The PC's addresses in turn: with `propose`, the IP text becomes the
  // address after the first one the registry knows; otherwise only the PC
  // address is noted.
  void WalkPcAddresses(const std::vector<sysinfo::InAddr>& addresses, bool propose);
  void Write();
  // False (after the page's message, with the focus on the field) when the
  // fixed address, gateway and mask are not a valid set.
  bool ParseFixedAddresses(std::array<int, 4>* ip, std::array<int, 4>* gateway,
                           std::array<int, 4>* mask);
  bool InPcNetwork() const;
  void EnableAddressEdits(bool ip, bool gateway_and_mask);

  std::string alias_;
  std::string ip_;
  std::string gateway_;
  std::string mask_;
  int tcpip_ = 0;
  int address_mode_ = -1;
  std::string pc_address_;
  std::string pc_mask_;
  sysinfo::OsVersionInfo os_version_{};
};

}  // namespace pscfg
