#pragma once
// Typed stores into a record through its field descriptors.
//
// The emulator builds its status and identity records field by field; these
// keep every store inside the record (a field that does not fit is not
// written). Text is stored as it is: callers pass device bytes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/record_fields.h"

namespace pscfg::psemu {

inline void StoreBytes(const FieldDescriptor& f, std::span<std::uint8_t> record,
                       std::span<const std::uint8_t> value) {
  auto field = FieldBytes(f, record);
  std::fill(field.begin(), field.end(), std::uint8_t{0});
  std::copy_n(value.begin(), std::min(value.size(), field.size()), field.begin());
}

// A zero-terminated text: cut to leave room for the terminator when the
// encoding needs one.
inline void StoreText(const FieldDescriptor& f, std::span<std::uint8_t> record,
                      std::string_view text) {
  const std::size_t room =
      f.encoding == FieldEncoding::kAsciiz && f.width > 0 ? f.width - 1 : f.width;
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  StoreBytes(f, record, {data, std::min(text.size(), room)});
}

inline void StoreByte(const FieldDescriptor& f, std::span<std::uint8_t> record,
                      std::uint8_t value) {
  auto field = FieldBytes(f, record);
  if (!field.empty()) field[0] = value;
}

// A bit field: `value` counted from the lowest bit of the mask.
inline void StoreBits(const FieldDescriptor& f, std::span<std::uint8_t> record, unsigned value) {
  auto field = FieldBytes(f, record);
  if (field.empty() || f.mask == 0) return;
  unsigned shift = 0;
  while (((f.mask >> shift) & 1U) == 0) ++shift;
  field[0] = static_cast<std::uint8_t>((field[0] & ~f.mask) | ((value << shift) & f.mask));
}

inline void StoreU16Le(const FieldDescriptor& f, std::span<std::uint8_t> record,
                       std::uint16_t value) {
  const std::array<std::uint8_t, 2> bytes = {static_cast<std::uint8_t>(value & 0xFF),
                                             static_cast<std::uint8_t>(value >> 8)};
  StoreBytes(f, record, bytes);
}

}  // namespace pscfg::psemu
