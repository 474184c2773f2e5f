#pragma once
// Field descriptors of the device records.
//
// Each field of the configuration record (EEPromImage, 512 bytes), of the
// print-server status (PServerStatus, 481 bytes) and of the identity block
// (PServerInfo, 66 bytes) is described once here: its offset from the first
// byte of the record, its width and its encoding. Code reaches a field only
// through its descriptor, so no offset is written twice.
//
// Encodings:
//   kIpv4      4 bytes, first dotted number first; 0.0.0.0 = not set
//   kMac       6 bytes, shown "%02X %02X %02X %02X %02X %02X"
//   kAsciiz    zero-terminated text in `width` bytes, at most width-1 characters
//   kChars     text of at most `width` bytes, zero-terminated only when shorter
//   kTreeName  `width` bytes padded with '_' and no terminator; empty = one 0 byte
//   kBits      the bits of `mask` in one byte (a flag when mask has one bit)
//   kByte      one unsigned byte
//   kU16Le     16 bits, low byte first
//   kBytes     raw bytes shown in hexadecimal

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace pscfg {

enum class FieldEncoding { kIpv4, kMac, kAsciiz, kChars, kTreeName, kBits, kByte, kU16Le, kBytes };

struct FieldDescriptor {
  std::string_view key;    // machine name: psctl, JSON, device files
  std::string_view label;  // plain words for people
  std::size_t offset;
  std::size_t width;
  FieldEncoding encoding;
  std::uint8_t mask = 0xFF;  // kBits only
};

namespace eeprom {
// clang-format off
inline constexpr FieldDescriptor kEthernetAddress   {"ethernet_address", "Ethernet address", 2, 6, FieldEncoding::kMac};
inline constexpr FieldDescriptor kParallelPorts     {"parallel_ports", "Parallel ports", 8, 1, FieldEncoding::kBits, 0x03};
inline constexpr FieldDescriptor kSerialPorts       {"serial_ports", "Serial ports", 8, 1, FieldEncoding::kBits, 0x0C};
inline constexpr FieldDescriptor kAlias             {"alias", "Alias", 16, 16, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kSnmpContact       {"snmp_contact", "SNMP system contact", 32, 16, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kSnmpLocation      {"snmp_location", "SNMP system location", 48, 16, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kNetWareDisabled   {"netware_disabled", "NetWare disabled", 72, 1, FieldEncoding::kBits, 0x02};
inline constexpr FieldDescriptor kTcpIpEnabled      {"tcpip_enabled", "TCP/IP enabled", 72, 1, FieldEncoding::kBits, 0x04};
inline constexpr FieldDescriptor kRemotePrinterMode {"netware_remote_printer_mode", "NetWare remote printer mode", 72, 1, FieldEncoding::kBits, 0x08};
inline constexpr FieldDescriptor kNetBeuiEnabled    {"netbeui_enabled", "NetBEUI enabled", 72, 1, FieldEncoding::kBits, 0x20};
inline constexpr FieldDescriptor kAppleTalkEnabled  {"appletalk_enabled", "AppleTalk enabled", 72, 1, FieldEncoding::kBits, 0x40};
inline constexpr FieldDescriptor kSelfTestPage      {"self_test_page", "Self-test page enabled", 72, 1, FieldEncoding::kBits, 0x80};
inline constexpr FieldDescriptor kPollingInterval   {"netware_polling_interval", "NetWare polling interval (s)", 75, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kFileServer        {"primary_file_server", "Primary file server", 76, 48, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kNdsTree           {"nds_tree", "NDS tree name", 124, 32, FieldEncoding::kTreeName};
inline constexpr FieldDescriptor kNdsContext        {"nds_context", "NDS context name", 172, 16, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kAppleTalkZone     {"appletalk_zone", "AppleTalk zone", 188, 16, FieldEncoding::kChars};
inline constexpr FieldDescriptor kAppleTalkType1    {"appletalk_type_lpt1", "AppleTalk printer type, LPT1", 204, 32, FieldEncoding::kChars};
inline constexpr FieldDescriptor kAppleTalkType2    {"appletalk_type_lpt2", "AppleTalk printer type, LPT2", 236, 32, FieldEncoding::kChars};
inline constexpr FieldDescriptor kAppleTalkType3    {"appletalk_type_lpt3", "AppleTalk printer type, LPT3", 268, 32, FieldEncoding::kChars};
inline constexpr FieldDescriptor kRemotePrintServer {"remote_print_server", "Remote printer: print server", 300, 48, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kSpeedMarker       {"speed_marker", "Speed marker (10/100 M when set)", 348, 32, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kSmbWorkgroup      {"smb_workgroup", "SMB workgroup", 380, 16, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kMailHeaderPorts   {"mail_header_ports", "Mail header on ports (bits 0-2)", 404, 1, FieldEncoding::kBits, 0x07};
inline constexpr FieldDescriptor kMailAllPorts      {"mail_all_ports", "All mail on ports (bits 4-6)", 404, 1, FieldEncoding::kBits, 0x70};
inline constexpr FieldDescriptor kSmbStopOnError    {"smb_stop_on_error", "SMB: stop printing on error", 404, 1, FieldEncoding::kBits, 0x80};
inline constexpr FieldDescriptor kMailPollingTime   {"mail_polling_time", "Mail polling time (min)", 405, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kDhcpPoolStart     {"dhcp_pool_start", "DHCP server: first pool address", 470, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpPoolSize      {"dhcp_pool_size", "DHCP server: pool size", 474, 2, FieldEncoding::kU16Le};
inline constexpr FieldDescriptor kDhcpGateway       {"dhcp_gateway", "DHCP server: gateway", 476, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpSubnetMask    {"dhcp_subnet_mask", "DHCP server: subnet mask", 480, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpDns           {"dhcp_dns", "DHCP server: DNS server", 484, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpMode          {"dhcp_mode", "DHCP server mode (0 auto, 1 on, 2 off)", 488, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kCapabilities      {"capabilities", "Capabilities", 489, 1, FieldEncoding::kBits, 0xFF};
inline constexpr FieldDescriptor kSubnetMask        {"subnet_mask", "Subnet mask", 490, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kGateway           {"gateway", "Default gateway", 494, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kIpAddress         {"ip_address", "IP address", 498, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kFirmwareBuild     {"firmware_build", "Firmware build", 504, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kFirmwareVersion   {"firmware_version", "Firmware version", 505, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kHardwareCode      {"hardware_code", "Hardware code", 506, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kRemotePrinterLpt1 {"remote_printer_lpt1", "Remote printer number, LPT1", 507, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kRemotePrinterLpt2 {"remote_printer_lpt2", "Remote printer number, LPT2", 508, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kRemotePrinterLpt3 {"remote_printer_lpt3", "Remote printer number, LPT3", 509, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kRemotePrinterCom1 {"remote_printer_com1", "Remote printer number, COM1", 510, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kChecksum          {"checksum", "Checksum", 511, 1, FieldEncoding::kByte};

// Mail print: three 20-byte blocks from 406, one per parallel port.
inline constexpr std::size_t kMailBlockOffset = 406;
inline constexpr std::size_t kMailBlockSize = 20;
inline constexpr std::size_t kMailBlockCount = 3;
inline constexpr FieldDescriptor kMailServerInBlock {"mail_server", "Mail server", 0, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kMailAccountInBlock{"mail_account", "Mail account", 4, 8, FieldEncoding::kChars};
inline constexpr FieldDescriptor kMailPasswordInBlock{"mail_password", "Mail password", 12, 8, FieldEncoding::kChars};
// clang-format on

// Capability bits of byte 489.
inline constexpr std::uint8_t kCapTcpIp = 0x01;
inline constexpr std::uint8_t kCapAppleTalk = 0x02;
inline constexpr std::uint8_t kCapSmb = 0x04;
inline constexpr std::uint8_t kCapDhcpServer = 0x08;
inline constexpr std::uint8_t kCapMailPrint = 0x10;  // also: gateway and mask may be set
inline constexpr std::uint8_t kCapNetBeui = 0x20;
inline constexpr std::uint8_t kCapNetWareWithoutNds = 0x40;
inline constexpr std::uint8_t kCapRemotePrinter = 0x80;
}  // namespace eeprom

namespace status {
// clang-format off
inline constexpr FieldDescriptor kFrameType         {"frame_type", "Frame type", 0, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kBinderyConnected  {"bindery_connected", "Connected to primary file server", 1, 1, FieldEncoding::kBits, 0x01};
inline constexpr FieldDescriptor kIpxNetwork        {"ipx_network", "IPX network number", 2, 4, FieldEncoding::kBytes};
inline constexpr FieldDescriptor kNamedConnected    {"named_connected", "Connected to named server or tree", 7, 1, FieldEncoding::kBits, 0x01};
inline constexpr FieldDescriptor kConnectionName    {"connection_name", "Connection name", 8, 48, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kIpInUse           {"ip_in_use", "IP address in use", 58, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpState         {"dhcp_server_state", "DHCP server state", 458, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kDhcpFirstAddress  {"dhcp_first_address", "DHCP server: first address", 459, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpGateway       {"dhcp_gateway", "DHCP server: gateway", 465, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpSubnetMask    {"dhcp_subnet_mask", "DHCP server: subnet mask", 469, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpDns           {"dhcp_dns", "DHCP server: DNS server", 473, 4, FieldEncoding::kIpv4};
inline constexpr FieldDescriptor kDhcpNextAddress   {"dhcp_next_address", "DHCP server: next address", 477, 4, FieldEncoding::kIpv4};

// Port status bytes: port 0 at 6, ports 1 to 4 at the end of the queue
// blocks (62 + 99k + 98). Bytes 358 and 457 carry a second meaning.
inline constexpr std::size_t kPortStatusOffsets[5] = {6, 160, 259, 358, 457};
inline constexpr FieldDescriptor kNetBeuiState      {"netbeui_state", "NetBEUI state", 358, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kSpeedCode         {"speed_code", "Network speed code", 457, 1, FieldEncoding::kByte};

// Queue attachments of ports 0 to 3: 99-byte blocks from 62.
inline constexpr std::size_t kQueueBlockOffset = 62;
inline constexpr std::size_t kQueueBlockSize = 99;
inline constexpr std::size_t kQueueBlockCount = 4;
inline constexpr FieldDescriptor kQueueAttachedInBlock{"queue_attached", "Queue attached", 0, 2, FieldEncoding::kU16Le};
inline constexpr FieldDescriptor kQueueNameInBlock  {"queue_name", "Queue name", 2, 48, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kQueueServerInBlock{"queue_file_server", "Queue file server", 50, 48, FieldEncoding::kAsciiz};
// clang-format on
}  // namespace status

namespace printer_status {
// clang-format off
inline constexpr FieldDescriptor kPort              {"port", "Port", 0, 2, FieldEncoding::kU16Le};
inline constexpr FieldDescriptor kBlock1Length      {"block1_length", "Status text length", 2, 2, FieldEncoding::kU16Le};
inline constexpr FieldDescriptor kBlock2Length      {"block2_length", "Entries length", 204, 2, FieldEncoding::kU16Le};
// clang-format on
inline constexpr std::size_t kBlock1Offset = 4;  // lengths count from here
inline constexpr std::size_t kBlock1TextOffset = 6;
inline constexpr std::size_t kBlock2Offset = 206;
inline constexpr std::size_t kBlock2EntriesOffset = 208;
inline constexpr std::size_t kBlockSize = 200;
}  // namespace printer_status

namespace info {
// clang-format off
inline constexpr FieldDescriptor kDeviceName        {"device_name", "Device name", 0, 8, FieldEncoding::kChars};
inline constexpr FieldDescriptor kAlias             {"alias", "Alias", 8, 48, FieldEncoding::kAsciiz};
inline constexpr FieldDescriptor kVendor            {"vendor", "Vendor code", 56, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kType              {"type", "Device type code", 58, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kModelSuffix       {"model_suffix", "Model suffix code", 61, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kFirmwareComplete  {"firmware_complete", "Firmware complete", 64, 1, FieldEncoding::kByte};
inline constexpr FieldDescriptor kCapabilities      {"capabilities", "Capability bits", 65, 1, FieldEncoding::kBits, 0xFF};
// clang-format on
inline constexpr std::uint8_t kCapPrinterStatus = 0x02;
}  // namespace info

// Reads and writes of a descriptor's raw value in a record. A field outside
// the record reads as 0 and is not written.
constexpr bool FieldFits(const FieldDescriptor& f, std::span<const std::uint8_t> record) {
  return f.offset <= record.size() && f.width <= record.size() - f.offset;
}

constexpr std::span<const std::uint8_t> FieldBytes(const FieldDescriptor& f,
                                                   std::span<const std::uint8_t> record) {
  return FieldFits(f, record) ? record.subspan(f.offset, f.width) : std::span<const std::uint8_t>{};
}

constexpr std::span<std::uint8_t> FieldBytes(const FieldDescriptor& f,
                                             std::span<std::uint8_t> record) {
  return FieldFits(f, record) ? record.subspan(f.offset, f.width) : std::span<std::uint8_t>{};
}

// The first byte of a field; 0 when the field lies outside the record.
constexpr std::uint8_t FieldByte(const FieldDescriptor& f, std::span<const std::uint8_t> record) {
  const auto bytes = FieldBytes(f, record);
  return bytes.empty() ? 0 : bytes[0];
}

}  // namespace pscfg
