#include "testbed/psemu/emulated_device.h"

#include <algorithm>
#include <cstdio>

#include "protocol/byte_io.h"
#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "testbed/psemu/device_records.h"

namespace pscfg::psemu {
namespace {

constexpr std::array<std::uint8_t, kUpgradeModeReplyPayload> kUpgradeModePayload = {0x00, 0x00};

std::uint8_t OtherCode(std::uint8_t code) { return static_cast<std::uint8_t>(code % 10 + 1); }

}  // namespace

EmulatedDevice::EmulatedDevice(DeviceConfig config, const Record& boot_record,
                               const StateDir& state, const WarningSink& warn)
    : config_(std::move(config)),
      stored_(boot_record),
      applied_(boot_record),
      state_(state),
      warn_(warn) {}

void EmulatedDevice::Advance(TimePoint now) {
  if (resetting_ && now >= reset_done_) {
    applied_ = stored_;
    resetting_ = false;
  }
}

std::vector<Datagram> EmulatedDevice::Handle(const Request& request, TimePoint now) {
  if (config_.faults.silent) return {};
  // Of the broadcasts only the search is meant for a device.
  if (request.broadcast() && request.command != Command::kSearch) return {};
  Advance(now);
  if (resetting_) return {};
  ++requests_;
  if (requests_ <= config_.faults.answer_after) return {};
  if (config_.faults.drop_every != 0 && requests_ % config_.faults.drop_every == 0) return {};
  Datagram payload;
  if (!Answer(request, now, &payload)) return {};
  return Shape(static_cast<std::uint8_t>(request.command), payload);
}

bool EmulatedDevice::Answer(const Request& request, TimePoint now, Datagram* payload) {
  switch (request.command) {
    case Command::kReset:
      resetting_ = true;
      reset_done_ = now + std::chrono::milliseconds(config_.reset_silence_ms);
      return true;
    case Command::kReadRecord:
      payload->assign(stored_.begin(), stored_.end());
      return true;
    case Command::kWriteRecord:
      return Write(request.payload);
    case Command::kSearch: {
      const InfoBlock info = SearchInfo(config_.info, applied_);
      payload->assign(info.begin(), info.end());
      return true;
    }
    case Command::kServerStatus: {
      const StatusRecord status =
          ServerStatus(config_.node, applied_, config_.ports, config_.status_overlay);
      payload->assign(status.begin(), status.end());
      return true;
    }
    case Command::kTestPrint:
      return TestPrint(request.payload);
    case Command::kEnterUpgradeMode:
      payload->assign(kUpgradeModePayload.begin(), kUpgradeModePayload.end());
      return true;
    case Command::kPrinterStatus:
      return PrinterStatusReply(request.payload, payload);
  }
  return false;
}

bool EmulatedDevice::Write(std::span<const std::uint8_t> record) {
  if (record.size() != kEEPromImageSize) return false;
  if (record[kChecksumOffset] != RecordChecksum(record)) return false;
  std::copy(record.begin(), record.end(), stored_.begin());
  std::string error;
  if (!state_.SaveRecord(config_.node, stored_, &error)) warn_(error);
  return true;
}

bool EmulatedDevice::TestPrint(std::span<const std::uint8_t> payload) {
  ByteReader reader(payload);
  std::uint32_t raw = 0;
  if (!reader.ReadU32Le(raw)) return false;
  const auto port = static_cast<std::int32_t>(raw);
  if (port < 0 || port >= kPortCount) return false;
  ++test_pages_[static_cast<std::size_t>(port)];
  std::string error;
  if (!state_.AppendTestPage(config_.node, kPortNames[static_cast<std::size_t>(port)],
                             TestPage(port), &error)) {
    warn_(error);
  }
  return true;
}

std::string EmulatedDevice::TestPage(int port) const {
  const Ipv4Bytes ip = IpAddress(applied_);
  const auto& n = config_.node;
  char text[512];
  std::snprintf(text, sizeof text,
                "==== Print server test page ====\n"
                "Device name: %s\n"
                "Alias: %s\n"
                "Ethernet address: %02X %02X %02X %02X %02X %02X\n"
                "IP address: %d.%d.%d.%d\n"
                "Port: %s\n"
                "Page: %d\n"
                "\f",
                FixedFieldText(FieldBytes(info::kDeviceName, config_.info)).c_str(),
                Alias(applied_).c_str(), n[0], n[1], n[2], n[3], n[4], n[5], ip[0], ip[1], ip[2],
                ip[3], std::string(kPortNames[static_cast<std::size_t>(port)]).c_str(),
                test_pages_[static_cast<std::size_t>(port)]);
  return text;
}

bool EmulatedDevice::PrinterStatusReply(std::span<const std::uint8_t> payload,
                                        Datagram* out) const {
  if ((FieldNumber(info::kCapabilities, config_.info) & info::kCapPrinterStatus) == 0) return false;
  ByteReader reader(payload);
  std::uint16_t port = 0;
  if (!reader.ReadU16Le(port) || port >= kPortCount) return false;
  const PrinterStatusRecord record = PrinterStatus(port, config_.ports[port]);
  out->assign(record.begin(), record.end());
  return true;
}

std::vector<Datagram> EmulatedDevice::Shape(std::uint8_t code,
                                            std::span<const std::uint8_t> payload) const {
  const auto& faults = config_.faults;
  Datagram reply = BuildReply(config_.node, faults.wrong_command ? OtherCode(code) : code, payload);
  for (std::size_t i = 0; i < faults.oversize; ++i) {
    reply.push_back(static_cast<std::uint8_t>(0xA5 ^ (i * 7)));
  }
  if (!faults.split_reply) return {std::move(reply)};
  const auto half = static_cast<std::ptrdiff_t>(reply.size() / 2);
  return {Datagram(reply.begin(), reply.begin() + half),
          Datagram(reply.begin() + half, reply.end())};
}

}  // namespace pscfg::psemu
