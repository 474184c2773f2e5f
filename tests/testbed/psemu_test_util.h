#pragma once
// Small builders shared by the psemu tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "protocol/byte_io.h"
#include "testbed/psemu/device_file.h"
#include "testbed/psemu/emulator.h"

namespace pscfg::psemu {

using Bytes = std::vector<std::uint8_t>;

// Bytes placed at an offset of an otherwise zero buffer.
struct At {
  std::size_t offset;
  Bytes bytes;
};
inline Bytes Frame(std::size_t size, std::initializer_list<At> parts) {
  Bytes frame(size, 0);
  for (const auto& part : parts) {
    for (std::size_t i = 0; i < part.bytes.size() && part.offset + i < size; ++i) {
      frame[part.offset + i] = part.bytes[i];
    }
  }
  return frame;
}
inline Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline constexpr NodeAddress kNodeA = {0x00, 0x40, 0x01, 0x12, 0x34, 0x56};
inline constexpr NodeAddress kNodeB = {0x00, 0x40, 0x01, 0x00, 0x00, 0xB2};
inline constexpr NodeAddress kNodeC = {0x00, 0x40, 0x01, 0x00, 0x00, 0xC3};
inline const Bytes kBroadcastPrefix = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

inline Bytes NodeBytes(const NodeAddress& node) { return Bytes(node.begin(), node.end()); }

// A plain request: node, header, payload.
inline Bytes RequestFor(const NodeAddress& node, Command command, const Bytes& payload = {}) {
  const auto header = RequestHeader(command);
  Bytes frame = Concat(NodeBytes(node), Bytes(header.begin(), header.end()));
  return Concat(frame, payload);
}
inline Bytes BroadcastSearch() {
  return {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x04, 0xFF, 0xFB};
}

// A write request carrying `record` with its checksum set.
inline Bytes WriteRequest(const NodeAddress& node, Record record) {
  record[kChecksumOffset] = RecordChecksum(record);
  return RequestFor(node, Command::kWriteRecord, Bytes(record.begin(), record.end()));
}

inline DeviceConfig ConfigFrom(const std::string& text, const std::string& source = "test.dev") {
  DeviceConfig config;
  std::string error;
  EXPECT_TRUE(ParseDeviceFile(text, source, &config, &error)) << error;
  return config;
}

// An emulator holding the devices of the given device-file texts.
class EmulatorFixture : public ::testing::Test {
 protected:
  void AddDevices(std::initializer_list<std::string> texts) {
    for (const auto& text : texts) {
      std::string error;
      ASSERT_TRUE(emulator_->AddDevice(ConfigFrom(text), &error)) << error;
    }
  }
  std::vector<Datagram> Send(const Bytes& datagram) { return emulator_->Handle(datagram, now_); }
  // The one datagram that answers `datagram`, or an empty one.
  Datagram SendOne(const Bytes& datagram) {
    auto replies = Send(datagram);
    EXPECT_EQ(replies.size(), 1u);
    return replies.empty() ? Datagram{} : replies.front();
  }
  void Elapse(std::chrono::milliseconds ms) { now_ += ms; }

  std::unique_ptr<Emulator> emulator_ = std::make_unique<Emulator>();
  TimePoint now_ = TimePoint{} + std::chrono::hours(1);
};

}  // namespace pscfg::psemu
