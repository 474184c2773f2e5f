#pragma once
// Wire constants of the print-server protocol.
//
// Every request and reply starts with a 4-byte CommandHeader:
//
//   byte  request                    reply
//   0     0 (to the print server)    1 (from the print server)
//   1     command code               the same command code
//   2     0xFF                       ignored
//   3     0xFF - command code        ignored
//
// On IPX the header is frame byte 0; on UDP a 6-byte node address comes
// first (the target's Ethernet address in a request, the answering server's
// in a reply), so the header starts at frame byte 6 and the record at 10.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pscfg {

enum class Command : std::uint8_t {
  kReset = 1,
  kReadRecord = 2,
  kWriteRecord = 3,
  kSearch = 4,
  kServerStatus = 5,
  kTestPrint = 6,
  kEnterUpgradeMode = 7,
  kPrinterStatus = 10,
};

enum class Variant {
  kHalvex,  // IPX transport, header at frame byte 0
  kDornel,  // UDP transport, 6-byte node prefix
};

inline constexpr std::uint8_t kDirectionRequest = 0;
inline constexpr std::uint8_t kDirectionReply = 1;

inline constexpr std::size_t kHeaderSize = 4;
inline constexpr std::size_t kNodeAddressSize = 6;
inline constexpr std::size_t kIpxAddressSize = 14;
inline constexpr std::size_t kInetAddressSize = 16;

// Record sizes.
inline constexpr std::size_t kEEPromImageSize = 512;
inline constexpr std::size_t kPServerStatusSize = 481;
inline constexpr std::size_t kPrinterStatusSize = 406;
inline constexpr std::size_t kPServerInfoSize = 66;
inline constexpr std::size_t kChecksumOffset = 511;

// Request payloads.
inline constexpr std::size_t kTestPrintPortSize = 4;      // int32 little-endian port index
inline constexpr std::size_t kIpxTestPrintPadding = 477;  // IPX request carries 477 more bytes
inline constexpr std::size_t kPrinterStatusPortSize = 2;  // u16 little-endian port index
inline constexpr std::size_t kUpgradeModeReplyPayload = 2;

// Ports and IPX sockets.
inline constexpr std::uint16_t kUdpDevicePort = 13364;
inline constexpr std::uint16_t kUdpFirmwarePort = 13393;
inline constexpr std::uint16_t kIpxDeviceSocket = 0x3434;
inline constexpr std::uint16_t kIpxFirmwareSocket = 0x3451;

inline constexpr std::array<std::uint8_t, kNodeAddressSize> kAllNodes = {0xFF, 0xFF, 0xFF,
                                                                         0xFF, 0xFF, 0xFF};

using NodeAddress = std::array<std::uint8_t, kNodeAddressSize>;

// Bytes in front of the CommandHeader in a frame of this variant.
constexpr std::size_t FramePrefixSize(Variant variant) {
  return variant == Variant::kDornel ? kNodeAddressSize : 0;
}

// Offset of a record inside a frame of this variant: 4 on IPX, 10 on UDP.
constexpr std::size_t RecordOffset(Variant variant) {
  return FramePrefixSize(variant) + kHeaderSize;
}

// The manager's three frame buffers: record behind prefix and header.
constexpr std::size_t EEPromFrameSize(Variant variant) {
  return RecordOffset(variant) + kEEPromImageSize;
}
constexpr std::size_t StatusFrameSize(Variant variant) {
  return RecordOffset(variant) + kPServerStatusSize;
}
constexpr std::size_t PrinterStatusFrameSize(Variant variant) {
  return RecordOffset(variant) + kPrinterStatusSize;
}
constexpr std::size_t SearchFrameSize(Variant variant) {
  return RecordOffset(variant) + kPServerInfoSize;
}

inline constexpr std::size_t kMaxEEPromFrameSize = EEPromFrameSize(Variant::kDornel);
inline constexpr std::size_t kMaxStatusFrameSize = StatusFrameSize(Variant::kDornel);
inline constexpr std::size_t kMaxPrinterStatusFrameSize = PrinterStatusFrameSize(Variant::kDornel);
inline constexpr std::size_t kMaxSearchFrameSize = SearchFrameSize(Variant::kDornel);

// The four header bytes of a request for this command.
constexpr std::array<std::uint8_t, kHeaderSize> RequestHeader(Command command) {
  const auto code = static_cast<std::uint8_t>(command);
  return {kDirectionRequest, code, 0xFF, static_cast<std::uint8_t>(0xFF - code)};
}

// The reply test: direction 1 and the command code of the request; the last
// two header bytes and the sender are ignored.
constexpr bool IsReplyTo(Command command, std::span<const std::uint8_t> header) {
  return header.size() >= 2 && header[0] == kDirectionReply &&
         header[1] == static_cast<std::uint8_t>(command);
}

// XOR of record bytes 0 to 510: the value of byte 511 in every write.
constexpr std::uint8_t RecordChecksum(std::span<const std::uint8_t> record) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < kChecksumOffset && i < record.size(); ++i) sum ^= record[i];
  return sum;
}

// Port indexes of XTestPrint and XGetPrinterStatus.
enum class PortIndex : int { kLpt1 = 0, kLpt2 = 1, kLpt3 = 2, kCom1 = 3, kCom2 = 4 };
inline constexpr int kPortCount = 5;

}  // namespace pscfg
