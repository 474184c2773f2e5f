#pragma once
// Named access to the fields of the configuration record (EEPromImage).
//
// Every function takes the 512-byte record itself (the subspan behind the
// frame's prefix and header). Reads of a shorter span give 0 or empty text;
// writes change only the bytes and bits of their own field, so the other
// bits of the shared bytes 72 and 404 keep the values that were read.
// Text setters refuse what does not fit and then write nothing.
//
// Port numbers: 0 LPT1, 1 LPT2, 2 LPT3, 3 COM1, 4 COM2.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "protocol/record_fields.h"
#include "protocol/records/address_text.h"

namespace pscfg {

// Any field, through its descriptor: FormatField / ParseField.
std::string Text(const FieldDescriptor& field, std::span<const std::uint8_t> record);
bool SetText(const FieldDescriptor& field, std::span<std::uint8_t> record, std::string_view text,
             std::string* error);
// A single-bit field (kBits with one mask bit).
bool Flag(const FieldDescriptor& flag, std::span<const std::uint8_t> record);
void SetFlag(const FieldDescriptor& flag, std::span<std::uint8_t> record, bool on);
// An ipv4 field.
Ipv4Bytes Address(const FieldDescriptor& field, std::span<const std::uint8_t> record);
void SetAddress(const FieldDescriptor& field, std::span<std::uint8_t> record,
                const Ipv4Bytes& address);

// Port counts of byte 8: 0 to 3 each (the programs use at most 2 serial ports).
int ParallelPortCount(std::span<const std::uint8_t> record);
int SerialPortCount(std::span<const std::uint8_t> record);

// Alias: at most 15 bytes; a 15-byte alias leaves the last byte 0.
std::string Alias(std::span<const std::uint8_t> record);
bool SetAlias(std::span<std::uint8_t> record, std::string_view alias, std::string* error);

// IP address 0.0.0.0: the server obtains one itself.
Ipv4Bytes IpAddress(std::span<const std::uint8_t> record);
void SetIpAddress(std::span<std::uint8_t> record, const Ipv4Bytes& address);
Ipv4Bytes Gateway(std::span<const std::uint8_t> record);
void SetGateway(std::span<std::uint8_t> record, const Ipv4Bytes& address);
Ipv4Bytes SubnetMask(std::span<const std::uint8_t> record);
void SetSubnetMask(std::span<std::uint8_t> record, const Ipv4Bytes& address);

// Capability byte 489: set by the firmware, never written by the programs.
std::uint8_t Capabilities(std::span<const std::uint8_t> record);
// `capability_bit` is one of eeprom::kCap...
bool HasCapability(std::span<const std::uint8_t> record, std::uint8_t capability_bit);

// Firmware identity: the build byte holds two decimal digits, one per
// nibble; the version byte major (high nibble) and minor (low nibble).
std::uint8_t FirmwareBuild(std::span<const std::uint8_t> record);
std::uint8_t FirmwareVersion(std::span<const std::uint8_t> record);
std::uint8_t HardwareCode(std::span<const std::uint8_t> record);
// Build and version bytes read as one little-endian word.
std::uint16_t FirmwareCode(std::span<const std::uint8_t> record);
std::string FirmwareCodeText(std::span<const std::uint8_t> record);  // "%04X"
// The two hexadecimal digits that an image file must carry for this
// server: the last two characters of FirmwareCodeText (the build byte).
std::string ImageCode(std::span<const std::uint8_t> record);

// NDS tree: written padded with '_' to the field width without terminator
// (an empty name writes one 0 byte); read back without the padding.
std::string NdsTreeName(std::span<const std::uint8_t> record);
bool SetNdsTreeName(std::span<std::uint8_t> record, std::string_view name, std::string* error);

// Mail print blocks of ports 0 to 2. Account and password hold at most 8
// bytes, without terminator when all 8 are used; shorter texts are followed
// by one 0 and the bytes after it keep their values.
Ipv4Bytes MailServer(std::span<const std::uint8_t> record, int port);
void SetMailServer(std::span<std::uint8_t> record, int port, const Ipv4Bytes& address);
std::string MailAccount(std::span<const std::uint8_t> record, int port);
bool SetMailAccount(std::span<std::uint8_t> record, int port, std::string_view account,
                    std::string* error);
std::string MailPassword(std::span<const std::uint8_t> record, int port);
bool SetMailPassword(std::span<std::uint8_t> record, int port, std::string_view password,
                     std::string* error);
// Bits 0x01 << port and 0x10 << port of byte 404.
bool MailHeaderOnPort(std::span<const std::uint8_t> record, int port);
void SetMailHeaderOnPort(std::span<std::uint8_t> record, int port, bool on);
bool MailAllOnPort(std::span<const std::uint8_t> record, int port);
void SetMailAllOnPort(std::span<std::uint8_t> record, int port, bool on);
std::uint8_t MailPollingTime(std::span<const std::uint8_t> record);  // minutes
void SetMailPollingTime(std::span<std::uint8_t> record, std::uint8_t minutes);

// AppleTalk: zone (16 bytes) and printer types of ports 0 to 2 (32 bytes),
// zero-terminated only when shorter than the field.
std::string AppleTalkZone(std::span<const std::uint8_t> record);
bool SetAppleTalkZone(std::span<std::uint8_t> record, std::string_view zone, std::string* error);
std::string AppleTalkPrinterType(std::span<const std::uint8_t> record, int port);
bool SetAppleTalkPrinterType(std::span<std::uint8_t> record, int port, std::string_view type,
                             std::string* error);

// DHCP server mode of byte 488: 0 automatic, 1 on, any other value off;
// off is written as 2.
enum class DhcpMode : std::uint8_t { kAutomatic = 0, kOn = 1, kOff = 2 };
DhcpMode DhcpServerMode(std::span<const std::uint8_t> record);
void SetDhcpServerMode(std::span<std::uint8_t> record, DhcpMode mode);

// Remote printer numbers of ports 0 to 3 (COM2 has none: reads 0, not written).
std::uint8_t RemotePrinterNumber(std::span<const std::uint8_t> record, int port);
void SetRemotePrinterNumber(std::span<std::uint8_t> record, int port, std::uint8_t number);

// Byte 511 := XOR of bytes 0 to 510, as every write sends it.
void FinalizeChecksum(std::span<std::uint8_t> record);

}  // namespace pscfg
