#include "tools/psctl/settings_edit.h"

#include <algorithm>
#include <array>

#include "platform/text/codepage.h"
#include "protocol/records/dotted_address.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "protocol/wire.h"

namespace pscfg::psctl {

namespace {

struct Settable {
  const FieldDescriptor* field;
  std::uint8_t capability;  // 0: always offered
};

const std::array<Settable, 12> kSettable = {{
    {&eeprom::kAlias, 0},
    {&eeprom::kIpAddress, 0},
    {&eeprom::kGateway, 0},
    {&eeprom::kSubnetMask, 0},
    {&eeprom::kTcpIpEnabled, eeprom::kCapTcpIp},
    {&eeprom::kNetWareDisabled, 0},
    {&eeprom::kNetBeuiEnabled, eeprom::kCapNetBeui},
    {&eeprom::kAppleTalkEnabled, eeprom::kCapAppleTalk},
    {&eeprom::kSelfTestPage, 0},
    {&eeprom::kSnmpContact, 0},
    {&eeprom::kSnmpLocation, 0},
    {&eeprom::kDhcpMode, eeprom::kCapDhcpServer},
}};

// The IP settings page's own words for a bad address.
std::string BadAddressText(const FieldDescriptor* field) {
  if (field == &eeprom::kIpAddress) return "指定的IP位址不合法";
  if (field == &eeprom::kGateway) return "指定的通訊閘不合法";
  return "指定的子網路遮罩不合法";
}

bool IsAddress(const FieldDescriptor* field) {
  return field == &eeprom::kIpAddress || field == &eeprom::kGateway ||
         field == &eeprom::kSubnetMask;
}

// Flags take on/off as well as 1/0 and true/false; the DHCP server mode
// takes auto/on/off as well as 0/1/2.
std::string CodecValue(const FieldDescriptor* field, const std::string& value) {
  if (field == &eeprom::kDhcpMode) {
    if (value == "auto") return "0";
    if (value == "on") return "1";
    if (value == "off") return "2";
    return value == "0" || value == "1" || value == "2" ? value : "invalid";
  }
  if (field->encoding == FieldEncoding::kBits) {
    if (value == "on" || value == "true" || value == "yes") return "1";
    if (value == "off" || value == "false" || value == "no") return "0";
  }
  return value;
}

const Settable* FindSettable(std::string_view key) {
  const auto it = std::find_if(kSettable.begin(), kSettable.end(),
                               [&](const Settable& s) { return s.field->key == key; });
  return it == kSettable.end() ? nullptr : &*it;
}

}  // namespace

bool ParseSettings(const std::vector<std::string>& arguments, std::vector<SettingChange>* changes,
                   std::string* error) {
  changes->clear();
  for (const std::string& argument : arguments) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
      *error = "'" + argument + "' is not FIELD=VALUE";
      return false;
    }
    const std::string key = argument.substr(0, equals);
    const Settable* settable = FindSettable(key);
    if (settable == nullptr) {
      *error = "'" + key + "' cannot be set (see psctl --help for the fields)";
      return false;
    }
    SettingChange change{settable->field, CodecValue(settable->field, argument.substr(equals + 1))};
    if (settable->field->encoding == FieldEncoding::kAsciiz) {
      std::string cp950;
      if (!text::Utf8ToCp950(change.value, &cp950)) {
        *error = key + ": the text has characters that the print server cannot store";
        return false;
      }
      change.value = cp950;
    }
    // Check the value against a scratch record; the device's record comes later.
    std::array<std::uint8_t, kEEPromImageSize> scratch{};
    std::string why;
    if (!ParseField(*change.field, change.value, scratch, &why)) {
      *error = key + ": " + (IsAddress(change.field) ? BadAddressText(change.field) : why);
      return false;
    }
    changes->push_back(change);
  }
  return true;
}

bool ApplySettings(const std::vector<SettingChange>& changes, std::span<std::uint8_t> record,
                   bool* alias_changed, std::string* error) {
  const std::string old_alias = Alias(record);
  const std::uint8_t capabilities = Capabilities(record);
  bool addresses_changed = false;
  bool ip_set_to_automatic = false;
  for (const SettingChange& change : changes) {
    const Settable* settable = FindSettable(change.field->key);
    if (settable->capability != 0 && (capabilities & settable->capability) == 0 &&
        change.value != "0") {
      *error = std::string(change.field->key) + ": the print server does not offer this";
      return false;
    }
    if (!ParseField(*change.field, change.value, record, error)) return false;
    if (IsAddress(change.field)) addresses_changed = true;
    if (change.field == &eeprom::kIpAddress) ip_set_to_automatic = IpAddress(record) == Ipv4Bytes{};
  }
  if (ip_set_to_automatic) {
    // Automatic mode: the IP settings page writes 0.0.0.0 for all three.
    SetGateway(record, {});
    SetSubnetMask(record, {});
  } else if (addresses_changed) {
    const auto value = [](const Ipv4Bytes& a) { return AddressValue({a[0], a[1], a[2], a[3]}); };
    switch (CheckAddressConsistency(value(IpAddress(record)), value(Gateway(record)),
                                    value(SubnetMask(record)))) {
      case 1:
        *error = "subnet_mask: 指定的子網路遮罩不合法";
        return false;
      case 2:
        *error = "gateway: 指定的通訊閘不合法";
        return false;
      default:
        break;
    }
  }
  *alias_changed = Alias(record) != old_alias;
  return true;
}

}  // namespace pscfg::psctl
