#pragma once
// What a device file says about one emulated print server.
//
// A DeviceConfig is the boot state of a device: its identity block, the
// configuration record it starts with when no saved one exists, the state
// and status texts of its printers, and the faults it plays. Everything a
// device reports later is derived from this and from the records that
// clients write to it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/wire.h"

namespace pscfg::psemu {

using Record = std::array<std::uint8_t, kEEPromImageSize>;
using InfoBlock = std::array<std::uint8_t, kPServerInfoSize>;
using StatusRecord = std::array<std::uint8_t, kPServerStatusSize>;
using PrinterStatusRecord = std::array<std::uint8_t, kPrinterStatusSize>;

// Port index 0 to 4, as the test-print and printer-status requests carry it.
inline constexpr std::array<std::string_view, kPortCount> kPortNames = {"LPT1", "LPT2", "LPT3",
                                                                        "COM1", "COM2"};

// The low two bits of a port status byte.
enum class PrinterState : std::uint8_t { kReady = 0, kOffline = 1, kPaperOut = 2, kRunning = 3 };

// The printer on one port: its short state and, for devices that answer the
// printer-status command, its display text and its further status entries.
// Texts are device bytes (CP950).
struct PrinterPort {
  PrinterState state = PrinterState::kReady;
  std::string display;  // goes after "DISPLAY=" in block 1
  std::string entries;  // block 2 as it is, entries ended by ';'
  bool operator==(const PrinterPort&) const = default;
};
using PrinterPorts = std::array<PrinterPort, kPortCount>;

// Misbehaviour on purpose, so that clients can be tested against it.
struct Faults {
  bool silent = false;             // never answers
  std::uint32_t answer_after = 0;  // ignores the first K requests it would answer
  bool wrong_command = false;      // replies carry another command code
  bool split_reply = false;        // every reply goes as two datagrams
  std::size_t oversize = 0;        // extra garbage bytes at the end of every reply
  std::uint32_t drop_every = 0;    // ignores every K-th request it would answer
};

// Bytes forced into every status record the device builds: where `mask` has
// a bit set, the bit of `bytes` wins over the computed one.
struct StatusOverlay {
  StatusRecord bytes{};
  StatusRecord mask{};
};

inline constexpr std::uint32_t kDefaultResetSilenceMs = 1500;

struct DeviceConfig {
  std::string source;  // the device file, for messages
  NodeAddress node{};
  InfoBlock info{};  // identity block; the alias is taken from the applied record
  Record record{};   // record to boot with when no saved one exists
  PrinterPorts ports{};
  StatusOverlay status_overlay;
  std::uint32_t reset_silence_ms = kDefaultResetSilenceMs;
  Faults faults;
};

}  // namespace pscfg::psemu
