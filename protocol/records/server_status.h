#pragma once
// Decoding of the print-server status record (PServerStatus, 481 bytes) and
// the texts that the status pages make of it.
//
// `status` is the 481-byte record, `eeprom` the 512-byte configuration
// record of the same server (some texts depend on its capability and
// protocol bits). Shorter spans read as zeros.
//
// Port numbers: 0 LPT1, 1 LPT2, 2 LPT3, 3 COM1, 4 COM2. Bytes 358 (status of
// COM1) and 457 (status of COM2) also carry the NetBEUI state and the speed
// code; which meaning a device fills depends on its model.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "protocol/records/address_text.h"

namespace pscfg {

// "Ready", "Off Line", "Paper Out", "Running" by the low two bits.
std::string_view PortStateText(std::uint8_t status_byte);

// The status byte of a port (0 for a port number outside 0..4).
std::uint8_t PortStatusByte(std::span<const std::uint8_t> status, int port);
std::string_view PortStateTextOfPort(std::span<const std::uint8_t> status, int port);

// Frame type of status byte 0: "802.2", "802.3", "Ethernet_II",
// "Ethernet SNAP", with " & Ethernet_II" appended when TCP/IP is supported
// and enabled and the type is not Ethernet_II; a value above 3 shows
// "Ethernet_II" with TCP/IP supported and enabled, else "Unknown".
std::string FrameTypeText(std::span<const std::uint8_t> status,
                          std::span<const std::uint8_t> eeprom);

// NetBEUI state of byte 358: "Inactive", "Name conflict", "Active", "" for
// other values; "N/A" when the configuration record offers no NetBEUI.
std::string_view NetBeuiStateText(std::span<const std::uint8_t> status,
                                  std::span<const std::uint8_t> eeprom);

// Speed of byte 457: "10M", "100M", "10/100M"; other codes "10/100 M" when
// the speed marker of the configuration record is set or the server has 2
// or 3 parallel ports, else "10M".
std::string_view SpeedText(std::span<const std::uint8_t> status,
                           std::span<const std::uint8_t> eeprom);

// "IPX/SPX" (NetWare without NDS) or "IPX/SPX/NDS", then " & TCP/IP",
// " & SNMP" (TCP/IP and bit 0x01 of the model suffix code) and " & NetBEUI"
// as supported.
std::string SupportedProtocolsText(std::span<const std::uint8_t> eeprom,
                                   std::uint8_t model_suffix_code);

// "Enable" or "Disable" for the self-test page bit.
std::string_view SelfTestPageText(std::span<const std::uint8_t> eeprom);

Ipv4Bytes IpAddressInUse(std::span<const std::uint8_t> status);

// Queue attachment of ports 0 to 3 (COM2 has no block).
struct QueueAttachment {
  bool attached = false;  // the block's flag is 1
  std::string queue_name;
  std::string file_server;
};
QueueAttachment QueueBlock(std::span<const std::uint8_t> status, int port);

// DHCP server fields; meaningful only when the configuration record offers
// a DHCP server.
struct DhcpServerStatus {
  std::uint8_t state = 0;  // 0 inactive, 1 active
  Ipv4Bytes first_address{};
  Ipv4Bytes gateway{};
  Ipv4Bytes subnet_mask{};
  Ipv4Bytes dns{};
  Ipv4Bytes next_address{};
};
DhcpServerStatus DhcpServerFields(std::span<const std::uint8_t> status);

// "Inactive" or "Active"; "" for any other state (the page then keeps its text).
std::string_view DhcpServerStateText(std::uint8_t state);

}  // namespace pscfg
