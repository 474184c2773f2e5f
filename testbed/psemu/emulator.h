#pragma once
// All print servers of one psemu process, behind one UDP socket.
//
// A datagram goes to the device whose node address it starts with; a
// broadcast search (node FF FF FF FF FF FF) goes to every device, which all
// answer in the order they were added. Handle is pure apart from the state
// directory: bytes in, reply datagrams out.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "testbed/psemu/emulated_device.h"

namespace pscfg::psemu {

class Emulator {
 public:
  // Warnings (a record that could not be saved, ...) go to `warn`; the
  // default writes them to stderr.
  explicit Emulator(StateDir state = {}, WarningSink warn = {});

  Emulator(const Emulator&) = delete;
  Emulator& operator=(const Emulator&) = delete;

  // Adds a device booting from its saved record when the state directory has
  // one, else from the record of its config. Refuses a node already present
  // or a saved record that cannot be read.
  bool AddDevice(DeviceConfig config, std::string* error);

  std::vector<Datagram> Handle(std::span<const std::uint8_t> datagram, TimePoint now);

  EmulatedDevice* Find(const NodeAddress& node);
  std::size_t size() const { return devices_.size(); }
  const std::vector<std::unique_ptr<EmulatedDevice>>& devices() const { return devices_; }
  const StateDir& state() const { return state_; }

 private:
  StateDir state_;
  WarningSink warn_;
  std::vector<std::unique_ptr<EmulatedDevice>> devices_;
};

}  // namespace pscfg::psemu
