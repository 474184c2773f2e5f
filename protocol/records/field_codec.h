#pragma once
// Text form of a record field, both ways, driven by its descriptor.
//
//   encoding   FormatField                         ParseField accepts
//   kIpv4      "%i.%i.%i.%i"                       the manager's strict dotted parser
//   kMac       "%02X %02X %02X %02X %02X %02X"     six hex bytes, separated by ' ', ':' or '-'
//   kAsciiz    bytes up to the 0 (or the width)    at most width-1 bytes; writes them and one 0
//   kChars     bytes up to the 0 or the width      at most width bytes; a 0 follows when shorter
//   kTreeName  the name without trailing '_'       at most width bytes; padded with '_' to the
//                                                  width, no terminator; "" writes one 0 byte
//   kBits      (byte & mask) >> lowest mask bit    0 .. mask >> shift; flags also "true"/"false"
//   kByte      decimal                             decimal 0 .. 255
//   kU16Le     decimal                             decimal 0 .. 65535
//   kBytes     "%02X" per byte, ' ' between        width hex bytes, blanks between them optional
//
// Text is moved as raw bytes (the device's code page); no conversion here.
// ParseField writes only the bytes and bits of its field: bytes after a
// terminator and the other bits of a shared byte keep their values. When it
// refuses a text it writes nothing and says why in *error.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "protocol/record_fields.h"

namespace pscfg {

// How a field's value is best shown in JSON.
enum class FieldValueKind {
  kText,    // a string
  kNumber,  // an unsigned integer
  kBool,    // a flag: FormatField gives "0" or "1"
};

FieldValueKind ValueKind(const FieldDescriptor& field);

// The field's value as text; an empty text when the field lies outside the record.
std::string FormatField(const FieldDescriptor& field, std::span<const std::uint8_t> record);

// The field's raw number (kBits shifted down, kByte, kU16Le); 0 for other
// encodings and for a field outside the record.
unsigned FieldNumber(const FieldDescriptor& field, std::span<const std::uint8_t> record);

bool ParseField(const FieldDescriptor& field, std::string_view text, std::span<std::uint8_t> record,
                std::string* error);

}  // namespace pscfg
