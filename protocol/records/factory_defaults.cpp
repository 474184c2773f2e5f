#include "protocol/records/factory_defaults.h"

#include <algorithm>

#include "protocol/byte_io.h"
#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"

namespace pscfg {
namespace {

// Bytes from the first byte of `first` to the last byte of `last`.
std::span<std::uint8_t> Range(std::span<std::uint8_t> record, const FieldDescriptor& first,
                              const FieldDescriptor& last) {
  const std::size_t begin = first.offset;
  const std::size_t end = last.offset + last.width;
  if (begin > end || end > record.size()) return {};
  return record.subspan(begin, end - begin);
}

void Zero(std::span<std::uint8_t> bytes) { std::fill(bytes.begin(), bytes.end(), 0); }

void ZeroFirstByte(std::span<std::uint8_t> record, const FieldDescriptor& field) {
  ByteWriter(FieldBytes(field, record)).U8(0);
}

void SetByte(std::span<std::uint8_t> record, const FieldDescriptor& field, std::uint8_t value) {
  ByteWriter(FieldBytes(field, record)).U8(value);
}

}  // namespace

void ApplyFactoryDefaults(std::span<std::uint8_t> record,
                          std::span<const std::uint8_t> device_name) {
  constexpr std::size_t kNameSize = 8;
  constexpr std::uint8_t kDefaultPollingSeconds = 2;
  constexpr std::uint8_t kDefaultMailPollingMinutes = 1;

  // The alias becomes the device name, terminated right after it.
  const auto alias = FieldBytes(eeprom::kAlias, record);
  if (alias.size() > kNameSize) {
    const std::size_t given = std::min(device_name.size(), kNameSize);
    std::copy_n(device_name.begin(), given, alias.begin());
    std::fill(alias.begin() + static_cast<std::ptrdiff_t>(given),
              alias.begin() + static_cast<std::ptrdiff_t>(kNameSize) + 1, 0);
  }

  Zero(Range(record, eeprom::kSnmpContact, eeprom::kSnmpLocation));
  ZeroFirstByte(record, eeprom::kFileServer);
  ZeroFirstByte(record, eeprom::kNdsTree);
  ZeroFirstByte(record, eeprom::kNdsContext);
  SetByte(record, eeprom::kPollingInterval, kDefaultPollingSeconds);

  SetFlag(eeprom::kSelfTestPage, record, false);
  SetFlag(eeprom::kNetWareDisabled, record, false);
  SetFlag(eeprom::kTcpIpEnabled, record, true);
  SetFlag(eeprom::kNetBeuiEnabled, record, true);

  Zero(FieldBytes(eeprom::kSmbWorkgroup, record));
  SetByte(record, eeprom::kMailHeaderPorts, 0);  // the whole byte 404
  SetByte(record, eeprom::kMailPollingTime, kDefaultMailPollingMinutes);
  if (record.size() >=
      eeprom::kMailBlockOffset + eeprom::kMailBlockSize * eeprom::kMailBlockCount) {
    Zero(
        record.subspan(eeprom::kMailBlockOffset, eeprom::kMailBlockSize * eeprom::kMailBlockCount));
  }
  Zero(Range(record, eeprom::kDhcpPoolStart, eeprom::kDhcpMode));
  Zero(Range(record, eeprom::kSubnetMask, eeprom::kIpAddress));
}

}  // namespace pscfg
