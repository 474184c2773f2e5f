#include "testbed/psemu/emulator.h"

#include <iostream>

namespace pscfg::psemu {

Emulator::Emulator(StateDir state, WarningSink warn)
    : state_(std::move(state)), warn_(std::move(warn)) {
  if (!warn_) warn_ = [](std::string_view text) { std::cerr << "psemu: " << text << '\n'; };
}

bool Emulator::AddDevice(DeviceConfig config, std::string* error) {
  if (Find(config.node) != nullptr) {
    *error = config.source + ": node " + NodeFileName(config.node) +
             " is already used by another device";
    return false;
  }
  Record boot = config.record;
  bool found = false;
  if (!state_.LoadRecord(config.node, &boot, &found, error)) return false;
  devices_.push_back(std::make_unique<EmulatedDevice>(std::move(config), boot, state_, warn_));
  return true;
}

EmulatedDevice* Emulator::Find(const NodeAddress& node) {
  for (auto& device : devices_) {
    if (device->node() == node) return device.get();
  }
  return nullptr;
}

std::vector<Datagram> Emulator::Handle(std::span<const std::uint8_t> datagram, TimePoint now) {
  const auto request = ParseRequest(datagram);
  if (!request) return {};
  std::vector<Datagram> replies;
  const auto collect = [&](EmulatedDevice& device) {
    for (auto& reply : device.Handle(*request, now)) replies.push_back(std::move(reply));
  };
  if (request->broadcast()) {
    for (auto& device : devices_) collect(*device);
  } else if (auto* device = Find(request->target)) {
    collect(*device);
  }
  return replies;
}

}  // namespace pscfg::psemu
