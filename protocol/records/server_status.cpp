#include "protocol/records/server_status.h"

#include <array>

#include "protocol/byte_io.h"
#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/field_tables.h"

namespace pscfg {
namespace {

// TCP/IP supported by the device and enabled in its configuration.
bool TcpIpActive(std::span<const std::uint8_t> eeprom) {
  return HasCapability(eeprom, eeprom::kCapTcpIp) && Flag(eeprom::kTcpIpEnabled, eeprom);
}

constexpr std::uint8_t kFrameEthernetII = 2;

}  // namespace

std::string_view PortStateText(std::uint8_t status_byte) {
  static constexpr std::array<std::string_view, 4> kTexts = {"Ready", "Off Line", "Paper Out",
                                                             "Running"};
  return kTexts[status_byte & 0x03];
}

std::uint8_t PortStatusByte(std::span<const std::uint8_t> status, int port) {
  // Read the whole byte: the descriptor masks the port state bits only.
  return FieldByte(PortStatusField(port), status);
}

std::string_view PortStateTextOfPort(std::span<const std::uint8_t> status, int port) {
  return PortStateText(PortStatusByte(status, port));
}

std::string FrameTypeText(std::span<const std::uint8_t> status,
                          std::span<const std::uint8_t> eeprom) {
  static constexpr std::array<std::string_view, 4> kTexts = {"802.2", "802.3", "Ethernet_II",
                                                             "Ethernet SNAP"};
  const std::uint8_t type = FieldByte(status::kFrameType, status);
  const bool tcpip = TcpIpActive(eeprom);
  if (type >= kTexts.size()) return tcpip ? "Ethernet_II" : "Unknown";
  std::string text(kTexts[type]);
  if (tcpip && type != kFrameEthernetII) text += " & Ethernet_II";
  return text;
}

std::string_view NetBeuiStateText(std::span<const std::uint8_t> status,
                                  std::span<const std::uint8_t> eeprom) {
  if (!HasCapability(eeprom, eeprom::kCapNetBeui)) return "N/A";
  switch (FieldByte(status::kNetBeuiState, status)) {
    case 0:
      return "Inactive";
    case 1:
      return "Name conflict";
    case 2:
      return "Active";
    default:
      return "";
  }
}

std::string_view SpeedText(std::span<const std::uint8_t> status,
                           std::span<const std::uint8_t> eeprom) {
  switch (FieldByte(status::kSpeedCode, status)) {
    case 1:
      return "10M";
    case 2:
      return "100M";
    case 3:
      return "10/100M";
    default:
      break;
  }
  const bool marker = FieldByte(eeprom::kSpeedMarker, eeprom) != 0;
  const int parallel = ParallelPortCount(eeprom);
  return marker || parallel == 2 || parallel == 3 ? "10/100 M" : "10M";
}

std::string SupportedProtocolsText(std::span<const std::uint8_t> eeprom,
                                   std::uint8_t model_suffix_code) {
  constexpr std::uint8_t kSnmpSuffixBit = 0x01;
  std::string text =
      HasCapability(eeprom, eeprom::kCapNetWareWithoutNds) ? "IPX/SPX" : "IPX/SPX/NDS";
  if (HasCapability(eeprom, eeprom::kCapTcpIp)) {
    text += " & TCP/IP";
    if ((model_suffix_code & kSnmpSuffixBit) != 0) text += " & SNMP";
  }
  if (HasCapability(eeprom, eeprom::kCapNetBeui)) text += " & NetBEUI";
  return text;
}

std::string_view SelfTestPageText(std::span<const std::uint8_t> eeprom) {
  return Flag(eeprom::kSelfTestPage, eeprom) ? "Enable" : "Disable";
}

Ipv4Bytes IpAddressInUse(std::span<const std::uint8_t> status) {
  return Address(status::kIpInUse, status);
}

QueueAttachment QueueBlock(std::span<const std::uint8_t> status, int port) {
  QueueAttachment block;
  block.attached = FieldNumber(QueueAttachedField(port), status) == 1;
  block.queue_name = FormatField(QueueNameField(port), status);
  block.file_server = FormatField(QueueFileServerField(port), status);
  return block;
}

DhcpServerStatus DhcpServerFields(std::span<const std::uint8_t> status) {
  DhcpServerStatus dhcp;
  dhcp.state = FieldByte(status::kDhcpState, status);
  dhcp.first_address = Address(status::kDhcpFirstAddress, status);
  dhcp.gateway = Address(status::kDhcpGateway, status);
  dhcp.subnet_mask = Address(status::kDhcpSubnetMask, status);
  dhcp.dns = Address(status::kDhcpDns, status);
  dhcp.next_address = Address(status::kDhcpNextAddress, status);
  return dhcp;
}

std::string_view DhcpServerStateText(std::uint8_t state) {
  switch (state) {
    case 0:
      return "Inactive";
    case 1:
      return "Active";
    default:
      return "";
  }
}

}  // namespace pscfg
