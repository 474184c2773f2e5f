#pragma once
// psctl set: the fields an administrator changes most, checked as the pages
// check them, applied to the record in one go.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "protocol/record_fields.h"

namespace pscfg::psctl {

struct SettingChange {
  const FieldDescriptor* field = nullptr;
  std::string value;  // as the field codec takes it (text in CP950)
};

// Parses FIELD=VALUE arguments and checks every value on its own: known
// field, well-formed value that fits the field. Nothing is sent before this
// has passed.
bool ParseSettings(const std::vector<std::string>& arguments, std::vector<SettingChange>* changes,
                   std::string* error);

// Applies the changes to `record` and then checks what depends on the
// device: the IP address, gateway and subnet mask together, and protocols
// the device offers. On failure the record may be partly changed; callers
// work on a copy. *alias_changed tells whether the alias differs now.
bool ApplySettings(const std::vector<SettingChange>& changes, std::span<std::uint8_t> record,
                   bool* alias_changed, std::string* error);

}  // namespace pscfg::psctl
