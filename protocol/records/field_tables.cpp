#include "protocol/records/field_tables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

#include "protocol/wire.h"

namespace pscfg {
namespace {

// A block field placed at `base`, under its own key and label.
constexpr FieldDescriptor Placed(const FieldDescriptor& f, std::string_view key,
                                 std::string_view label, std::size_t base) {
  return {key, label, base + f.offset, f.width, f.encoding, f.mask};
}

constexpr std::size_t MailBase(int port) {
  return eeprom::kMailBlockOffset + eeprom::kMailBlockSize * static_cast<std::size_t>(port);
}
constexpr std::size_t QueueBase(int port) {
  return status::kQueueBlockOffset + status::kQueueBlockSize * static_cast<std::size_t>(port);
}

// A field that no record holds: it reads as 0 and is never written.
constexpr FieldDescriptor kNoField{"", "", std::numeric_limits<std::size_t>::max(), 0,
                                   FieldEncoding::kByte};

// clang-format off
constexpr std::array<FieldDescriptor, eeprom::kMailBlockCount> kMailServers = {
    Placed(eeprom::kMailServerInBlock, "mail_server_lpt1", "Mail server, LPT1", MailBase(0)),
    Placed(eeprom::kMailServerInBlock, "mail_server_lpt2", "Mail server, LPT2", MailBase(1)),
    Placed(eeprom::kMailServerInBlock, "mail_server_lpt3", "Mail server, LPT3", MailBase(2))};
constexpr std::array<FieldDescriptor, eeprom::kMailBlockCount> kMailAccounts = {
    Placed(eeprom::kMailAccountInBlock, "mail_account_lpt1", "Mail account, LPT1", MailBase(0)),
    Placed(eeprom::kMailAccountInBlock, "mail_account_lpt2", "Mail account, LPT2", MailBase(1)),
    Placed(eeprom::kMailAccountInBlock, "mail_account_lpt3", "Mail account, LPT3", MailBase(2))};
constexpr std::array<FieldDescriptor, eeprom::kMailBlockCount> kMailPasswords = {
    Placed(eeprom::kMailPasswordInBlock, "mail_password_lpt1", "Mail password, LPT1", MailBase(0)),
    Placed(eeprom::kMailPasswordInBlock, "mail_password_lpt2", "Mail password, LPT2", MailBase(1)),
    Placed(eeprom::kMailPasswordInBlock, "mail_password_lpt3", "Mail password, LPT3", MailBase(2))};

constexpr std::array<FieldDescriptor, status::kQueueBlockCount> kQueueAttached = {
    Placed(status::kQueueAttachedInBlock, "queue_attached_lpt1", "Queue attached, LPT1", QueueBase(0)),
    Placed(status::kQueueAttachedInBlock, "queue_attached_lpt2", "Queue attached, LPT2", QueueBase(1)),
    Placed(status::kQueueAttachedInBlock, "queue_attached_lpt3", "Queue attached, LPT3", QueueBase(2)),
    Placed(status::kQueueAttachedInBlock, "queue_attached_com1", "Queue attached, COM1", QueueBase(3))};
constexpr std::array<FieldDescriptor, status::kQueueBlockCount> kQueueNames = {
    Placed(status::kQueueNameInBlock, "queue_name_lpt1", "Queue name, LPT1", QueueBase(0)),
    Placed(status::kQueueNameInBlock, "queue_name_lpt2", "Queue name, LPT2", QueueBase(1)),
    Placed(status::kQueueNameInBlock, "queue_name_lpt3", "Queue name, LPT3", QueueBase(2)),
    Placed(status::kQueueNameInBlock, "queue_name_com1", "Queue name, COM1", QueueBase(3))};
constexpr std::array<FieldDescriptor, status::kQueueBlockCount> kQueueServers = {
    Placed(status::kQueueServerInBlock, "queue_file_server_lpt1", "Queue file server, LPT1", QueueBase(0)),
    Placed(status::kQueueServerInBlock, "queue_file_server_lpt2", "Queue file server, LPT2", QueueBase(1)),
    Placed(status::kQueueServerInBlock, "queue_file_server_lpt3", "Queue file server, LPT3", QueueBase(2)),
    Placed(status::kQueueServerInBlock, "queue_file_server_com1", "Queue file server, COM1", QueueBase(3))};

// Only the low two bits of a port status byte carry the port state.
constexpr std::uint8_t kPortStateMask = 0x03;
constexpr std::array<FieldDescriptor, kPortCount> kPortStatus = {
    FieldDescriptor{"port_status_lpt1", "Port status, LPT1", status::kPortStatusOffsets[0], 1, FieldEncoding::kBits, kPortStateMask},
    FieldDescriptor{"port_status_lpt2", "Port status, LPT2", status::kPortStatusOffsets[1], 1, FieldEncoding::kBits, kPortStateMask},
    FieldDescriptor{"port_status_lpt3", "Port status, LPT3", status::kPortStatusOffsets[2], 1, FieldEncoding::kBits, kPortStateMask},
    FieldDescriptor{"port_status_com1", "Port status, COM1", status::kPortStatusOffsets[3], 1, FieldEncoding::kBits, kPortStateMask},
    FieldDescriptor{"port_status_com2", "Port status, COM2", status::kPortStatusOffsets[4], 1, FieldEncoding::kBits, kPortStateMask}};

constexpr std::array kEEPromFields = {
    eeprom::kEthernetAddress, eeprom::kParallelPorts, eeprom::kSerialPorts, eeprom::kAlias,
    eeprom::kSnmpContact, eeprom::kSnmpLocation, eeprom::kNetWareDisabled, eeprom::kTcpIpEnabled,
    eeprom::kRemotePrinterMode, eeprom::kNetBeuiEnabled, eeprom::kAppleTalkEnabled,
    eeprom::kSelfTestPage, eeprom::kPollingInterval, eeprom::kFileServer, eeprom::kNdsTree,
    eeprom::kNdsContext, eeprom::kAppleTalkZone, eeprom::kAppleTalkType1, eeprom::kAppleTalkType2,
    eeprom::kAppleTalkType3, eeprom::kRemotePrintServer, eeprom::kSpeedMarker,
    eeprom::kSmbWorkgroup, eeprom::kMailHeaderPorts, eeprom::kMailAllPorts,
    eeprom::kSmbStopOnError, eeprom::kMailPollingTime,
    kMailServers[0], kMailAccounts[0], kMailPasswords[0],
    kMailServers[1], kMailAccounts[1], kMailPasswords[1],
    kMailServers[2], kMailAccounts[2], kMailPasswords[2],
    eeprom::kDhcpPoolStart, eeprom::kDhcpPoolSize, eeprom::kDhcpGateway, eeprom::kDhcpSubnetMask,
    eeprom::kDhcpDns, eeprom::kDhcpMode, eeprom::kCapabilities, eeprom::kSubnetMask,
    eeprom::kGateway, eeprom::kIpAddress, eeprom::kFirmwareBuild, eeprom::kFirmwareVersion,
    eeprom::kHardwareCode, eeprom::kRemotePrinterLpt1, eeprom::kRemotePrinterLpt2,
    eeprom::kRemotePrinterLpt3, eeprom::kRemotePrinterCom1, eeprom::kChecksum};

constexpr std::array kStatusFields = {
    status::kFrameType, status::kBinderyConnected, status::kIpxNetwork, kPortStatus[0],
    status::kNamedConnected, status::kConnectionName, status::kIpInUse,
    kQueueAttached[0], kQueueNames[0], kQueueServers[0], kPortStatus[1],
    kQueueAttached[1], kQueueNames[1], kQueueServers[1], kPortStatus[2],
    kQueueAttached[2], kQueueNames[2], kQueueServers[2], kPortStatus[3], status::kNetBeuiState,
    kQueueAttached[3], kQueueNames[3], kQueueServers[3], kPortStatus[4], status::kSpeedCode,
    status::kDhcpState, status::kDhcpFirstAddress, status::kDhcpGateway, status::kDhcpSubnetMask,
    status::kDhcpDns, status::kDhcpNextAddress};

constexpr std::array kInfoFields = {
    info::kDeviceName, info::kAlias, info::kVendor, info::kType, info::kModelSuffix,
    info::kFirmwareComplete, info::kCapabilities};
// clang-format on

template <std::size_t N>
constexpr bool InOffsetOrder(const std::array<FieldDescriptor, N>& fields) {
  for (std::size_t i = 1; i < N; ++i) {
    if (fields[i].offset < fields[i - 1].offset) return false;
  }
  return true;
}
template <std::size_t N>
constexpr bool FitsRecord(const std::array<FieldDescriptor, N>& fields, std::size_t size) {
  for (const auto& f : fields) {
    if (f.offset + f.width > size) return false;
  }
  return true;
}
static_assert(InOffsetOrder(kEEPromFields) && FitsRecord(kEEPromFields, kEEPromImageSize));
static_assert(InOffsetOrder(kStatusFields) && FitsRecord(kStatusFields, kPServerStatusSize));
static_assert(InOffsetOrder(kInfoFields) && FitsRecord(kInfoFields, kPServerInfoSize));

template <std::size_t N>
const FieldDescriptor& At(const std::array<FieldDescriptor, N>& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return kNoField;
  return table[static_cast<std::size_t>(index)];
}

}  // namespace

std::span<const FieldDescriptor> EEPromFields() { return kEEPromFields; }
std::span<const FieldDescriptor> StatusFields() { return kStatusFields; }
std::span<const FieldDescriptor> InfoFields() { return kInfoFields; }

const FieldDescriptor* FindField(std::span<const FieldDescriptor> fields, std::string_view key) {
  const auto it = std::find_if(fields.begin(), fields.end(),
                               [key](const FieldDescriptor& f) { return f.key == key; });
  return it == fields.end() ? nullptr : &*it;
}

const FieldDescriptor& MailServerField(int port) { return At(kMailServers, port); }
const FieldDescriptor& MailAccountField(int port) { return At(kMailAccounts, port); }
const FieldDescriptor& MailPasswordField(int port) { return At(kMailPasswords, port); }
const FieldDescriptor& QueueAttachedField(int port) { return At(kQueueAttached, port); }
const FieldDescriptor& QueueNameField(int port) { return At(kQueueNames, port); }
const FieldDescriptor& QueueFileServerField(int port) { return At(kQueueServers, port); }
const FieldDescriptor& PortStatusField(int port) { return At(kPortStatus, port); }

}  // namespace pscfg
