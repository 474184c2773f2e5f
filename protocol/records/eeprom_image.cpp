#include "protocol/records/eeprom_image.h"

#include <array>
#include <cstdio>

#include "protocol/byte_io.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/field_tables.h"
#include "protocol/wire.h"

namespace pscfg {
namespace {

void WriteByte(const FieldDescriptor& field, std::span<std::uint8_t> record, std::uint8_t value) {
  ByteWriter(FieldBytes(field, record)).U8(value);
}

// The bit of `port` inside a per-port bit group such as 0x07 or 0x70 of
// byte 404; 0 when the group has no bit for that port.
std::uint8_t PortBit(const FieldDescriptor& group, int port) {
  if (port < 0 || port >= 8) return 0;
  const unsigned lowest = group.mask & (~group.mask + 1u);
  return static_cast<std::uint8_t>((lowest << port) & group.mask);
}

bool PortBitSet(const FieldDescriptor& group, std::span<const std::uint8_t> record, int port) {
  const std::uint8_t bit = PortBit(group, port);
  return bit != 0 && (FieldByte(group, record) & bit) != 0;
}

void SetPortBit(const FieldDescriptor& group, std::span<std::uint8_t> record, int port, bool on) {
  const std::uint8_t bit = PortBit(group, port);
  const auto bytes = FieldBytes(group, record);
  if (bit == 0 || bytes.empty()) return;
  bytes[0] = static_cast<std::uint8_t>(on ? (bytes[0] | bit) : (bytes[0] & ~bit));
}

// A field that no record holds, for ports without one.
constexpr FieldDescriptor kNoField{"", "", static_cast<std::size_t>(-1), 0, FieldEncoding::kByte};

const FieldDescriptor& AppleTalkTypeField(int port) {
  static constexpr std::array<const FieldDescriptor*, 3> kFields = {
      &eeprom::kAppleTalkType1, &eeprom::kAppleTalkType2, &eeprom::kAppleTalkType3};
  if (port < 0 || port >= static_cast<int>(kFields.size())) return kNoField;
  return *kFields[static_cast<std::size_t>(port)];
}

const FieldDescriptor& RemotePrinterField(int port) {
  static constexpr std::array<const FieldDescriptor*, 4> kFields = {
      &eeprom::kRemotePrinterLpt1, &eeprom::kRemotePrinterLpt2, &eeprom::kRemotePrinterLpt3,
      &eeprom::kRemotePrinterCom1};
  if (port < 0 || port >= static_cast<int>(kFields.size())) return kNoField;
  return *kFields[static_cast<std::size_t>(port)];
}

bool RefuseMissing(std::string* error, std::string_view what, int port) {
  if (error != nullptr) *error = std::string(what) + ": no field for port " + std::to_string(port);
  return false;
}

}  // namespace

std::string Text(const FieldDescriptor& field, std::span<const std::uint8_t> record) {
  return FormatField(field, record);
}

bool SetText(const FieldDescriptor& field, std::span<std::uint8_t> record, std::string_view text,
             std::string* error) {
  return ParseField(field, text, record, error);
}

bool Flag(const FieldDescriptor& flag, std::span<const std::uint8_t> record) {
  return (FieldByte(flag, record) & flag.mask) != 0;
}

void SetFlag(const FieldDescriptor& flag, std::span<std::uint8_t> record, bool on) {
  const auto bytes = FieldBytes(flag, record);
  if (bytes.empty()) return;
  bytes[0] = static_cast<std::uint8_t>(on ? (bytes[0] | flag.mask) : (bytes[0] & ~flag.mask));
}

Ipv4Bytes Address(const FieldDescriptor& field, std::span<const std::uint8_t> record) {
  Ipv4Bytes address{};
  ByteReader(FieldBytes(field, record)).ReadBytes(address);
  return address;
}

void SetAddress(const FieldDescriptor& field, std::span<std::uint8_t> record,
                const Ipv4Bytes& address) {
  if (field.width != address.size()) return;
  ByteWriter(FieldBytes(field, record)).Bytes(address);
}

int ParallelPortCount(std::span<const std::uint8_t> record) {
  return static_cast<int>(FieldNumber(eeprom::kParallelPorts, record));
}
int SerialPortCount(std::span<const std::uint8_t> record) {
  return static_cast<int>(FieldNumber(eeprom::kSerialPorts, record));
}

std::string Alias(std::span<const std::uint8_t> record) {
  return FormatField(eeprom::kAlias, record);
}
bool SetAlias(std::span<std::uint8_t> record, std::string_view alias, std::string* error) {
  return ParseField(eeprom::kAlias, alias, record, error);
}

Ipv4Bytes IpAddress(std::span<const std::uint8_t> record) {
  return Address(eeprom::kIpAddress, record);
}
void SetIpAddress(std::span<std::uint8_t> record, const Ipv4Bytes& address) {
  SetAddress(eeprom::kIpAddress, record, address);
}
Ipv4Bytes Gateway(std::span<const std::uint8_t> record) {
  return Address(eeprom::kGateway, record);
}
void SetGateway(std::span<std::uint8_t> record, const Ipv4Bytes& address) {
  SetAddress(eeprom::kGateway, record, address);
}
Ipv4Bytes SubnetMask(std::span<const std::uint8_t> record) {
  return Address(eeprom::kSubnetMask, record);
}
void SetSubnetMask(std::span<std::uint8_t> record, const Ipv4Bytes& address) {
  SetAddress(eeprom::kSubnetMask, record, address);
}

std::uint8_t Capabilities(std::span<const std::uint8_t> record) {
  return FieldByte(eeprom::kCapabilities, record);
}
bool HasCapability(std::span<const std::uint8_t> record, std::uint8_t capability_bit) {
  return (Capabilities(record) & capability_bit) != 0;
}

std::uint8_t FirmwareBuild(std::span<const std::uint8_t> record) {
  return FieldByte(eeprom::kFirmwareBuild, record);
}
std::uint8_t FirmwareVersion(std::span<const std::uint8_t> record) {
  return FieldByte(eeprom::kFirmwareVersion, record);
}
std::uint8_t HardwareCode(std::span<const std::uint8_t> record) {
  return FieldByte(eeprom::kHardwareCode, record);
}

std::uint16_t FirmwareCode(std::span<const std::uint8_t> record) {
  // The build byte is the low byte, the version byte right after it the high one.
  return static_cast<std::uint16_t>(FirmwareBuild(record) | (FirmwareVersion(record) << 8));
}

std::string FirmwareCodeText(std::span<const std::uint8_t> record) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(FirmwareCode(record)));
  return text;
}

std::string ImageCode(std::span<const std::uint8_t> record) {
  return FirmwareCodeText(record).substr(2, 2);
}

std::string NdsTreeName(std::span<const std::uint8_t> record) {
  return FormatField(eeprom::kNdsTree, record);
}
bool SetNdsTreeName(std::span<std::uint8_t> record, std::string_view name, std::string* error) {
  return ParseField(eeprom::kNdsTree, name, record, error);
}

Ipv4Bytes MailServer(std::span<const std::uint8_t> record, int port) {
  return Address(MailServerField(port), record);
}
void SetMailServer(std::span<std::uint8_t> record, int port, const Ipv4Bytes& address) {
  SetAddress(MailServerField(port), record, address);
}
std::string MailAccount(std::span<const std::uint8_t> record, int port) {
  return FormatField(MailAccountField(port), record);
}
bool SetMailAccount(std::span<std::uint8_t> record, int port, std::string_view account,
                    std::string* error) {
  if (MailAccountField(port).width == 0) return RefuseMissing(error, "mail_account", port);
  return ParseField(MailAccountField(port), account, record, error);
}
std::string MailPassword(std::span<const std::uint8_t> record, int port) {
  return FormatField(MailPasswordField(port), record);
}
bool SetMailPassword(std::span<std::uint8_t> record, int port, std::string_view password,
                     std::string* error) {
  if (MailPasswordField(port).width == 0) return RefuseMissing(error, "mail_password", port);
  return ParseField(MailPasswordField(port), password, record, error);
}

bool MailHeaderOnPort(std::span<const std::uint8_t> record, int port) {
  return PortBitSet(eeprom::kMailHeaderPorts, record, port);
}
void SetMailHeaderOnPort(std::span<std::uint8_t> record, int port, bool on) {
  SetPortBit(eeprom::kMailHeaderPorts, record, port, on);
}
bool MailAllOnPort(std::span<const std::uint8_t> record, int port) {
  return PortBitSet(eeprom::kMailAllPorts, record, port);
}
void SetMailAllOnPort(std::span<std::uint8_t> record, int port, bool on) {
  SetPortBit(eeprom::kMailAllPorts, record, port, on);
}
std::uint8_t MailPollingTime(std::span<const std::uint8_t> record) {
  return FieldByte(eeprom::kMailPollingTime, record);
}
void SetMailPollingTime(std::span<std::uint8_t> record, std::uint8_t minutes) {
  WriteByte(eeprom::kMailPollingTime, record, minutes);
}

std::string AppleTalkZone(std::span<const std::uint8_t> record) {
  return FormatField(eeprom::kAppleTalkZone, record);
}
bool SetAppleTalkZone(std::span<std::uint8_t> record, std::string_view zone, std::string* error) {
  return ParseField(eeprom::kAppleTalkZone, zone, record, error);
}
std::string AppleTalkPrinterType(std::span<const std::uint8_t> record, int port) {
  return FormatField(AppleTalkTypeField(port), record);
}
bool SetAppleTalkPrinterType(std::span<std::uint8_t> record, int port, std::string_view type,
                             std::string* error) {
  if (AppleTalkTypeField(port).width == 0) return RefuseMissing(error, "appletalk_type", port);
  return ParseField(AppleTalkTypeField(port), type, record, error);
}

DhcpMode DhcpServerMode(std::span<const std::uint8_t> record) {
  switch (FieldByte(eeprom::kDhcpMode, record)) {
    case static_cast<std::uint8_t>(DhcpMode::kAutomatic):
      return DhcpMode::kAutomatic;
    case static_cast<std::uint8_t>(DhcpMode::kOn):
      return DhcpMode::kOn;
    default:
      return DhcpMode::kOff;
  }
}
void SetDhcpServerMode(std::span<std::uint8_t> record, DhcpMode mode) {
  WriteByte(eeprom::kDhcpMode, record, static_cast<std::uint8_t>(mode));
}

std::uint8_t RemotePrinterNumber(std::span<const std::uint8_t> record, int port) {
  return FieldByte(RemotePrinterField(port), record);
}
void SetRemotePrinterNumber(std::span<std::uint8_t> record, int port, std::uint8_t number) {
  WriteByte(RemotePrinterField(port), record, number);
}

void FinalizeChecksum(std::span<std::uint8_t> record) {
  const auto checksum = FieldBytes(eeprom::kChecksum, record);
  if (checksum.empty()) return;
  checksum[0] = 0;
  checksum[0] = RecordChecksum(record);
}

}  // namespace pscfg
