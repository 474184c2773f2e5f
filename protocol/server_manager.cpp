#include "protocol/server_manager.h"

#include <algorithm>
#include <cstdlib>

#include "platform/profile/private_profile.h"
#include "protocol/exchange.h"

namespace pscfg {

namespace {

// atoi: leading blanks, an optional sign, the leading digits; 0 otherwise.
long DecimalValue(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }

}  // namespace

CPServerManager::CPServerManager(DeviceTransport& transport, Reporter& reporter)
    : transport_(transport), reporter_(reporter), variant_(transport.variant()) {}

FailureReporter CPServerManager::failure_reporter() const {
  // Dornel captions its boxes with the program title; Halvex uses the
  // application's ordinary message box.
  return FailureReporter(reporter_, variant_ == Variant::kDornel ? title_ : std::string());
}

std::filesystem::path CPServerManager::config_file() const {
  if (!config_file_.empty()) return config_file_;
  return std::filesystem::path(program_directory_) / kConfigFileName;
}

std::size_t CPServerManager::WriteRequestStart(const PServerEntry& target, Command command,
                                               std::span<std::uint8_t> frame) const {
  ByteWriter out(frame);
  transport_.WritePrefix(target, out);
  out.Bytes(RequestHeader(command));
  return out.ok() ? out.size() : 0;
}

int CPServerManager::RunExchange(Command command, const PServerEntry& target,
                                 std::span<const std::uint8_t> request,
                                 std::span<std::uint8_t> reply) {
  const FailureReporter report = failure_reporter();
  return Exchange(transport_, report).Run(RuleFor(variant_, command), target, request, reply);
}

int CPServerManager::RunHeaderOnly(Command command, const PServerEntry& target,
                                   std::span<std::uint8_t> reply) {
  std::array<std::uint8_t, RecordOffset(Variant::kDornel)> request{};
  const std::size_t length = WriteRequestStart(target, command, request);
  return RunExchange(command, target, std::span(request).first(length), reply);
}

int CPServerManager::XResetPServerEEProm(const PServerEntry& target) {
  std::array<std::uint8_t, kMaxSearchFrameSize> reply{};
  return RunHeaderOnly(Command::kReset, target, reply);
}

int CPServerManager::XReadPServerEEProm(const PServerEntry& target, std::span<std::uint8_t> frame) {
  return RunHeaderOnly(Command::kReadRecord, target, frame);
}

int CPServerManager::XWritePServerEEProm(const PServerEntry& target,
                                         std::span<std::uint8_t> frame) {
  const std::size_t size = EEPromFrameSize(variant_);
  if (frame.size() < size) return 0;
  if (WriteRequestStart(target, Command::kWriteRecord, frame) != RecordOffset(variant_)) return 0;
  auto record = frame.subspan(RecordOffset(variant_), kEEPromImageSize);
  record[kChecksumOffset] = 0;
  record[kChecksumOffset] = RecordChecksum(record);
  return RunExchange(Command::kWriteRecord, target, frame.first(size), frame);
}

int CPServerManager::XSearchPS(const PServerEntry& target, std::span<std::uint8_t> buffer) {
  return RunHeaderOnly(Command::kSearch, target, buffer);
}

int CPServerManager::XGetPServerStatus(const PServerEntry& target, std::span<std::uint8_t> frame) {
  return RunHeaderOnly(Command::kServerStatus, target, frame);
}

int CPServerManager::XTestPrint(const PServerEntry& target, std::int32_t port) {
  std::array<std::uint8_t, kHeaderSize + kTestPrintPortSize + kIpxTestPrintPadding> request{};
  ByteWriter out(request);
  transport_.WritePrefix(target, out);
  out.Bytes(RequestHeader(Command::kTestPrint)).U32Le(static_cast<std::uint32_t>(port));
  // The IPX request carries 477 more bytes that tell the device nothing.
  if (variant_ == Variant::kHalvex) out.Fill(0, kIpxTestPrintPadding);
  std::array<std::uint8_t, kMaxSearchFrameSize> reply{};
  return RunExchange(Command::kTestPrint, target, std::span(request).first(out.size()), reply);
}

int CPServerManager::XEnterUpgradeMode(net::Socket s, const PServerEntry& target) {
  std::array<std::uint8_t, RecordOffset(Variant::kDornel)> request{};
  const std::size_t length = WriteRequestStart(target, Command::kEnterUpgradeMode, request);
  std::array<std::uint8_t, RecordOffset(Variant::kDornel) + kUpgradeModeReplyPayload> reply{};
  const FailureReporter report = failure_reporter();
  bool closed = false;
  return Exchange(transport_, report)
      .RunOnSocket(RuleFor(variant_, Command::kEnterUpgradeMode), s, target,
                   std::span(request).first(length), reply, &closed);
}

int CPServerManager::XGetPrinterStatus(const PServerEntry& target, std::span<std::uint8_t> frame,
                                       int port) {
  std::array<std::uint8_t, RecordOffset(Variant::kDornel) + kPrinterStatusPortSize> request{};
  ByteWriter out(request);
  transport_.WritePrefix(target, out);
  // The low two bytes of the caller's index.
  out.Bytes(RequestHeader(Command::kPrinterStatus)).U16Le(static_cast<std::uint16_t>(port));
  return RunExchange(Command::kPrinterStatus, target, std::span(request).first(out.size()), frame);
}

bool CPServerManager::AddServer(std::span<const std::uint8_t> info_block,
                                const net::SocketAddress& sender, const NodeAddress& node_address) {
  if (server_count_ >= kMaxServers) return false;
  PServerEntry candidate;
  std::copy_n(info_block.begin(), std::min(info_block.size(), candidate.info.size()),
              candidate.info.begin());
  const std::string alias = candidate.Alias();
  for (int i = 0; i < server_count_; ++i) {
    if (server(i).Alias() == alias) return false;  // the first reply under a name wins
  }
  if (!IsAcceptedDevice(candidate.Vendor(), candidate.Type())) return false;
  const auto raw = sender.bytes();
  if (variant_ == Variant::kHalvex) {
    std::copy_n(raw.begin(), std::min(raw.size(), candidate.ipx_address.size()),
                candidate.ipx_address.begin());
  } else {
    std::copy_n(raw.begin(), std::min(raw.size(), candidate.udp_sender.size()),
                candidate.udp_sender.begin());
    candidate.node_address = node_address;
  }
  servers_[static_cast<std::size_t>(server_count_++)] = candidate;
  return true;
}

bool CPServerManager::IsAcceptedDevice(std::uint8_t vendor, std::uint8_t type) const {
  const std::filesystem::path file = config_file();
  if (!profile::CanOpenForReading(file)) return type == 0;
  const auto configured_vendor = static_cast<std::uint8_t>(
      profile::GetPrivateProfileInt(kConfigSection, "VendorID", 0, file) & 0xFF);
  if (vendor != 0 && configured_vendor != 0 && vendor != configured_vendor) return false;
  for (int n = 1; n <= 255; ++n) {
    // At most 3 characters: a buffer of 4.
    const std::string value = profile::GetPrivateProfileString(
        kConfigSection, "DeviceType" + std::to_string(n), "", 4, file);
    if (value.empty()) break;
    const long d = DecimalValue(value);
    if (type == 0 || (d & 0xFF) == 0 || ((d - 1) & 0xFF) == type) return true;
  }
  return type == 0;
}

int CPServerManager::DropUnaccepted() {
  int kept = 0;
  for (int i = 0; i < server_count_; ++i) {
    const PServerEntry& entry = server(i);
    const std::uint8_t keep = variant_ == Variant::kHalvex ? entry.accepted : entry.tcpip;
    if (keep != 0) servers_[static_cast<std::size_t>(kept++)] = entry;
  }
  server_count_ = kept;
  return kept;
}

void CPServerManager::NoteAddresses(std::span<std::uint8_t> frame) {
  for (int i = 0; i < server_count_; ++i) {
    PServerEntry& entry = server(i);
    entry.tcpip = 0;
    if (XReadPServerEEProm(entry, frame) == 0) continue;
    const auto record = frame.subspan(RecordOffset(variant_), kEEPromImageSize);
    entry.tcpip = (FieldByte(eeprom::kCapabilities, record) & eeprom::kCapTcpIp) != 0 ? 1 : 0;
    const auto ip = FieldBytes(eeprom::kIpAddress, record);
    std::copy(ip.begin(), ip.end(), entry.ip_address.begin());
  }
}

std::string PServerEntry::Alias() const { return FixedFieldText(FieldBytes(info::kAlias, info)); }

}  // namespace pscfg
