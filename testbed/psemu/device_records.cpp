#include "testbed/psemu/device_records.h"

#include <algorithm>
#include <cstdio>

#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/field_tables.h"
#include "testbed/psemu/field_access.h"

namespace pscfg::psemu {
namespace {

// Firmware 3.1, build 12, hardware 6A: upgradeable over IP.
constexpr std::uint8_t kDefaultFirmwareBuild = 0x12;
constexpr std::uint8_t kDefaultFirmwareVersion = 0x31;
constexpr std::uint8_t kDefaultHardwareCode = 0x61;  // shown "6A"
constexpr std::uint8_t kDefaultCapabilities = eeprom::kCapTcpIp | eeprom::kCapSmb |
                                              eeprom::kCapMailPrint | eeprom::kCapNetBeui |
                                              eeprom::kCapRemotePrinter;
constexpr Ipv4Bytes kDefaultSubnetMask = {255, 255, 255, 0};
constexpr std::uint8_t kDefaultPollingInterval = 2;
constexpr std::uint8_t kDefaultMailPolling = 1;
constexpr std::string_view kDefaultWorkgroup = "WORKGROUP";

// Status values.
constexpr std::uint8_t kFrameEthernetII = 2;
constexpr std::uint8_t kNetBeuiInactive = 0;
constexpr std::uint8_t kNetBeuiActive = 2;
constexpr std::uint8_t kSpeed10100 = 3;
constexpr std::uint8_t kDhcpInactive = 0;
constexpr std::uint8_t kDhcpActive = 1;
constexpr std::array<std::uint8_t, 4> kIpxNetwork = {0x00, 0x00, 0x00, 0x01};
// The automatic pool starts at this host number of the device's network.
constexpr std::uint8_t kAutomaticPoolHost = 100;

bool IsZero(const Ipv4Bytes& address) {
  return std::all_of(address.begin(), address.end(), [](std::uint8_t b) { return b == 0; });
}

void FillNetWare(std::span<const std::uint8_t> applied, std::span<std::uint8_t> status) {
  if (Flag(eeprom::kNetWareDisabled, applied)) return;
  const std::string file_server = Text(eeprom::kFileServer, applied);
  const std::string tree = NdsTreeName(applied);
  const std::string& name = file_server.empty() ? tree : file_server;
  if (name.empty()) return;
  StoreBits(status::kBinderyConnected, status, file_server.empty() ? 0 : 1);
  StoreBits(status::kNamedConnected, status, 1);
  StoreText(status::kConnectionName, status, name);
  StoreBytes(status::kIpxNetwork, status, kIpxNetwork);
}

Ipv4Bytes AddressInUse(const NodeAddress& node, std::span<const std::uint8_t> applied) {
  if (!HasCapability(applied, eeprom::kCapTcpIp) || !Flag(eeprom::kTcpIpEnabled, applied)) {
    return {};
  }
  const Ipv4Bytes fixed = IpAddress(applied);
  return IsZero(fixed) ? AssignedAddress(node) : fixed;
}

// The DHCP server runs when it is switched on, or in automatic mode when the
// device has a fixed address (so no other DHCP server gave it one).
void FillDhcpServer(std::span<const std::uint8_t> applied, const Ipv4Bytes& in_use,
                    std::span<std::uint8_t> status) {
  StoreByte(status::kDhcpState, status, kDhcpInactive);
  if (!HasCapability(applied, eeprom::kCapDhcpServer) || IsZero(in_use)) return;
  const DhcpMode mode = DhcpServerMode(applied);
  const bool fixed = !IsZero(IpAddress(applied));
  if (!(mode == DhcpMode::kOn || (mode == DhcpMode::kAutomatic && fixed))) return;

  const auto configured_or = [&](const FieldDescriptor& f, const Ipv4Bytes& fallback) {
    const Ipv4Bytes value = Address(f, applied);
    return IsZero(value) ? fallback : value;
  };
  Ipv4Bytes automatic_start = in_use;
  automatic_start[3] = kAutomaticPoolHost;
  const Ipv4Bytes first = configured_or(eeprom::kDhcpPoolStart, automatic_start);
  StoreByte(status::kDhcpState, status, kDhcpActive);
  StoreBytes(status::kDhcpFirstAddress, status, first);
  StoreBytes(status::kDhcpGateway, status, configured_or(eeprom::kDhcpGateway, Gateway(applied)));
  StoreBytes(status::kDhcpSubnetMask, status,
             configured_or(eeprom::kDhcpSubnetMask, SubnetMask(applied)));
  StoreBytes(status::kDhcpDns, status, Address(eeprom::kDhcpDns, applied));
  StoreBytes(status::kDhcpNextAddress, status, first);  // no client has asked yet
}

// PJL-style status codes, only for realism: the programs read DISPLAY= alone.
int StatusCode(PrinterState state) {
  switch (state) {
    case PrinterState::kReady:
      return 10001;
    case PrinterState::kOffline:
      return 10002;
    case PrinterState::kPaperOut:
      return 41100;
    case PrinterState::kRunning:
      return 10023;
  }
  return 10001;
}

// Writes a block: two leading zero bytes, then the text; returns the block
// length counted from the block start (0 when there is no text).
std::uint16_t StoreBlock(std::span<std::uint8_t> block, std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t size = std::min(text.size(), kMaxBlockText);
  std::copy_n(text.begin(), size, block.begin() + 2);
  return static_cast<std::uint16_t>(size + 2);
}

}  // namespace

std::string DefaultDeviceName(const NodeAddress& node) {
  char name[9];
  std::snprintf(name, sizeof name, "PS%02X%02X%02X", node[3], node[4], node[5]);
  return name;
}

Ipv4Bytes AssignedAddress(const NodeAddress& node) {
  return {192, 168, 1, static_cast<std::uint8_t>(100 + node[5] % 100)};
}

Record DefaultRecord(const NodeAddress& node) {
  Record record{};
  StoreBytes(eeprom::kEthernetAddress, record, node);
  StoreBits(eeprom::kParallelPorts, record, 1);
  StoreBits(eeprom::kSerialPorts, record, 0);
  StoreText(eeprom::kAlias, record, DefaultDeviceName(node));
  StoreBits(eeprom::kTcpIpEnabled, record, 1);
  StoreBits(eeprom::kNetBeuiEnabled, record, 1);
  StoreByte(eeprom::kPollingInterval, record, kDefaultPollingInterval);
  StoreText(eeprom::kSmbWorkgroup, record, kDefaultWorkgroup);
  StoreByte(eeprom::kMailPollingTime, record, kDefaultMailPolling);
  SetDhcpServerMode(record, DhcpMode::kAutomatic);
  StoreByte(eeprom::kCapabilities, record, kDefaultCapabilities);
  StoreBytes(eeprom::kSubnetMask, record, kDefaultSubnetMask);
  StoreByte(eeprom::kFirmwareBuild, record, kDefaultFirmwareBuild);
  StoreByte(eeprom::kFirmwareVersion, record, kDefaultFirmwareVersion);
  StoreByte(eeprom::kHardwareCode, record, kDefaultHardwareCode);
  FinalizeChecksum(record);
  return record;
}

InfoBlock DefaultInfo(const NodeAddress& node) {
  InfoBlock info{};
  StoreText(info::kDeviceName, info, DefaultDeviceName(node));
  StoreText(info::kAlias, info, DefaultDeviceName(node));
  StoreByte(info::kFirmwareComplete, info, 1);
  return info;
}

InfoBlock SearchInfo(const InfoBlock& info, std::span<const std::uint8_t> applied) {
  InfoBlock out = info;
  StoreText(info::kAlias, out, Alias(applied));
  return out;
}

StatusRecord ServerStatus(const NodeAddress& node, std::span<const std::uint8_t> applied,
                          const PrinterPorts& ports, const StatusOverlay& overlay) {
  StatusRecord status{};
  StoreByte(status::kFrameType, status, kFrameEthernetII);
  FillNetWare(applied, status);
  const Ipv4Bytes in_use = AddressInUse(node, applied);
  StoreBytes(status::kIpInUse, status, in_use);
  for (int k = 0; k < kPortCount; ++k) {
    StoreBits(PortStatusField(k), status,
              static_cast<unsigned>(ports[static_cast<std::size_t>(k)].state));
  }
  // Bytes 358 and 457 double as NetBEUI state and speed code; those win.
  if (HasCapability(applied, eeprom::kCapNetBeui)) {
    StoreByte(status::kNetBeuiState, status,
              Flag(eeprom::kNetBeuiEnabled, applied) ? kNetBeuiActive : kNetBeuiInactive);
  }
  StoreByte(status::kSpeedCode, status, kSpeed10100);
  FillDhcpServer(applied, in_use, status);
  for (std::size_t i = 0; i < status.size(); ++i) {
    status[i] = static_cast<std::uint8_t>((status[i] & ~overlay.mask[i]) |
                                          (overlay.bytes[i] & overlay.mask[i]));
  }
  return status;
}

std::string Block1Text(const PrinterPort& port) {
  if (port.display.empty()) return {};
  const bool online = port.state != PrinterState::kOffline;
  return "@PJL INFO STATUS\r\nCODE=" + std::to_string(StatusCode(port.state)) +
         "\r\nDISPLAY=" + port.display + "\r\nONLINE=" + (online ? "TRUE" : "FALSE") + "\r\n";
}

PrinterStatusRecord PrinterStatus(std::uint16_t port_index, const PrinterPort& port) {
  PrinterStatusRecord record{};
  StoreU16Le(printer_status::kPort, record, port_index);
  auto block1 =
      std::span(record).subspan(printer_status::kBlock1Offset, printer_status::kBlockSize);
  auto block2 =
      std::span(record).subspan(printer_status::kBlock2Offset, printer_status::kBlockSize);
  StoreU16Le(printer_status::kBlock1Length, record, StoreBlock(block1, Block1Text(port)));
  StoreU16Le(printer_status::kBlock2Length, record, StoreBlock(block2, port.entries));
  return record;
}

}  // namespace pscfg::psemu
