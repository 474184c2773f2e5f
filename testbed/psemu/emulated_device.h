#pragma once
// One emulated print server: its records, its printers and its faults.
//
// The device keeps two records. The stored record is what a write puts in
// its EEPROM and what a read returns; the applied record is what it runs
// with, and becomes the stored one only when a reset has finished. Search
// replies and the status record are built from the applied record.
//
// Time comes in with each request, so tests can step through a reset
// without waiting for it.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "testbed/psemu/device_config.h"
#include "testbed/psemu/frames.h"
#include "testbed/psemu/state_dir.h"

namespace pscfg::psemu {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using WarningSink = std::function<void(std::string_view)>;

class EmulatedDevice {
 public:
  // Boots with `boot_record` as stored and applied record. `state` and
  // `warn` must outlive the device.
  EmulatedDevice(DeviceConfig config, const Record& boot_record, const StateDir& state,
                 const WarningSink& warn);

  const NodeAddress& node() const { return config_.node; }
  const DeviceConfig& config() const { return config_; }
  const Record& stored_record() const { return stored_; }
  const Record& applied_record() const { return applied_; }
  int test_pages(int port) const {
    return port >= 0 && port < kPortCount ? test_pages_[static_cast<std::size_t>(port)] : 0;
  }

  // The datagrams that answer a request meant for this device: sent to its
  // node, or a broadcast search. Empty when the device stays silent.
  std::vector<Datagram> Handle(const Request& request, TimePoint now);

  // Finishes a reset whose silence is over.
  void Advance(TimePoint now);

  void SetPrinters(const PrinterPorts& ports) { config_.ports = ports; }

 private:
  // The reply payload, or false when the device does not answer.
  bool Answer(const Request& request, TimePoint now, Datagram* payload);
  bool Write(std::span<const std::uint8_t> record);
  bool TestPrint(std::span<const std::uint8_t> payload);
  bool PrinterStatusReply(std::span<const std::uint8_t> payload, Datagram* out) const;
  std::vector<Datagram> Shape(std::uint8_t code, std::span<const std::uint8_t> payload) const;
  std::string TestPage(int port) const;

  DeviceConfig config_;
  Record stored_;
  Record applied_;
  const StateDir& state_;
  const WarningSink& warn_;
  bool resetting_ = false;
  TimePoint reset_done_{};
  std::uint64_t requests_ = 0;  // requests it would have answered, for the faults
  std::array<int, kPortCount> test_pages_{};
};

}  // namespace pscfg::psemu
