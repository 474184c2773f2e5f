#include "protocol/records/field_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <vector>

#include "protocol/byte_io.h"
#include "protocol/records/address_text.h"
#include "protocol/records/dotted_address.h"

namespace pscfg {
namespace {

constexpr char kTreePad = '_';

int MaskShift(std::uint8_t mask) { return mask == 0 ? 0 : std::countr_zero(mask); }
unsigned MaskMax(std::uint8_t mask) { return static_cast<unsigned>(mask) >> MaskShift(mask); }
bool IsFlag(const FieldDescriptor& f) {
  return f.encoding == FieldEncoding::kBits && std::popcount(f.mask) == 1;
}

std::string Hex2(unsigned byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte & 0xFFu);
  return text;
}

std::string JoinHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) text += ' ';
    text += Hex2(bytes[i]);
  }
  return text;
}

// The tree name as the readers show it: up to the first 0 and without the
// '_' padding at its end.
std::string TreeNameText(std::span<const std::uint8_t> bytes) {
  std::string text = FixedFieldText(bytes);
  const auto last = text.find_last_not_of(kTreePad);
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

bool Refuse(const FieldDescriptor& f, std::string* error, const std::string& why) {
  if (error != nullptr) *error = std::string(f.key) + ": " + why;
  return false;
}

// Unsigned decimal without sign or blanks, at most `max`.
bool ParseDecimal(std::string_view text, unsigned max, unsigned* out) {
  if (text.empty() || text.size() > 10) return false;
  unsigned long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > max) return false;
  *out = static_cast<unsigned>(value);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Six groups of one or two hex digits, one separator (' ', ':' or '-') between.
bool ParseMac(std::string_view text, std::array<std::uint8_t, 6>* out) {
  std::size_t i = 0;
  for (std::size_t group = 0; group < out->size(); ++group) {
    if (group > 0) {
      if (i >= text.size() || (text[i] != ' ' && text[i] != ':' && text[i] != '-')) return false;
      ++i;
    }
    int value = 0;
    std::size_t digits = 0;
    while (i < text.size() && digits < 2 && HexDigit(text[i]) >= 0) {
      value = value * 16 + HexDigit(text[i]);
      ++i;
      ++digits;
    }
    if (digits == 0) return false;
    (*out)[group] = static_cast<std::uint8_t>(value);
  }
  return i == text.size();
}

// Exactly `count` bytes of two hex digits each; blanks between them are optional.
bool ParseHexBytes(std::string_view text, std::size_t count, std::vector<std::uint8_t>* out) {
  std::string digits;
  for (char c : text) {
    if (c == ' ') continue;
    if (HexDigit(c) < 0) return false;
    digits += c;
  }
  if (digits.size() != 2 * count) return false;
  out->clear();
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    out->push_back(static_cast<std::uint8_t>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
  }
  return true;
}

bool HasZeroByte(std::string_view text) { return text.find('\0') != std::string_view::npos; }

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

FieldValueKind ValueKind(const FieldDescriptor& field) {
  switch (field.encoding) {
    case FieldEncoding::kBits:
      return IsFlag(field) ? FieldValueKind::kBool : FieldValueKind::kNumber;
    case FieldEncoding::kByte:
    case FieldEncoding::kU16Le:
      return FieldValueKind::kNumber;
    default:
      return FieldValueKind::kText;
  }
}

unsigned FieldNumber(const FieldDescriptor& field, std::span<const std::uint8_t> record) {
  ByteReader reader(FieldBytes(field, record));
  switch (field.encoding) {
    case FieldEncoding::kBits: {
      std::uint8_t byte = 0;
      reader.ReadU8(byte);
      return static_cast<unsigned>(byte & field.mask) >> MaskShift(field.mask);
    }
    case FieldEncoding::kByte: {
      std::uint8_t byte = 0;
      reader.ReadU8(byte);
      return byte;
    }
    case FieldEncoding::kU16Le: {
      std::uint16_t word = 0;
      reader.ReadU16Le(word);
      return word;
    }
    default:
      return 0;
  }
}

std::string FormatField(const FieldDescriptor& field, std::span<const std::uint8_t> record) {
  if (!FieldFits(field, record)) return {};
  const auto bytes = FieldBytes(field, record);
  switch (field.encoding) {
    case FieldEncoding::kIpv4:
      return FormatIpv4(bytes);
    case FieldEncoding::kMac:
    case FieldEncoding::kBytes:
      return JoinHex(bytes);
    case FieldEncoding::kAsciiz:
    case FieldEncoding::kChars:
      return FixedFieldText(bytes);
    case FieldEncoding::kTreeName:
      return TreeNameText(bytes);
    case FieldEncoding::kBits:
    case FieldEncoding::kByte:
    case FieldEncoding::kU16Le:
      return std::to_string(FieldNumber(field, record));
  }
  return {};
}

bool ParseField(const FieldDescriptor& field, std::string_view text, std::span<std::uint8_t> record,
                std::string* error) {
  if (!FieldFits(field, record) || field.width == 0) {
    return Refuse(field, error, "the field lies outside the record");
  }
  // Work on a copy so that a refusal leaves the record as it was.
  const auto target = FieldBytes(field, record);
  std::vector<std::uint8_t> bytes(target.begin(), target.end());
  ByteWriter writer(bytes);
  switch (field.encoding) {
    case FieldEncoding::kIpv4: {
      std::array<int, 4> numbers{};
      if (field.width != 4 || !ParseDottedAddress(text, &numbers)) {
        return Refuse(field, error, "\"" + std::string(text) + "\" is not an address n.n.n.n");
      }
      for (int n : numbers) writer.U8(static_cast<std::uint8_t>(n));
      break;
    }
    case FieldEncoding::kMac: {
      std::array<std::uint8_t, 6> mac{};
      if (field.width != mac.size() || !ParseMac(text, &mac)) {
        return Refuse(field, error, "\"" + std::string(text) + "\" is not six hexadecimal bytes");
      }
      writer.Bytes(mac);
      break;
    }
    case FieldEncoding::kBytes: {
      std::vector<std::uint8_t> raw;
      if (!ParseHexBytes(text, field.width, &raw)) {
        return Refuse(field, error,
                      "\"" + std::string(text) + "\" is not " + std::to_string(field.width) +
                          " hexadecimal bytes");
      }
      writer.Bytes(raw);
      break;
    }
    case FieldEncoding::kAsciiz:
    case FieldEncoding::kChars: {
      const std::size_t longest =
          field.encoding == FieldEncoding::kAsciiz ? field.width - 1 : field.width;
      if (HasZeroByte(text)) return Refuse(field, error, "the text holds a 0 byte");
      if (text.size() > longest) {
        return Refuse(field, error,
                      "text of " + std::to_string(text.size()) + " bytes is longer than " +
                          std::to_string(longest));
      }
      // The bytes after the terminator keep their values, as in the programs.
      writer.Bytes(AsBytes(text));
      if (text.size() < field.width) writer.U8(0);
      break;
    }
    case FieldEncoding::kTreeName: {
      if (HasZeroByte(text)) return Refuse(field, error, "the text holds a 0 byte");
      if (text.size() > field.width) {
        return Refuse(field, error,
                      "name of " + std::to_string(text.size()) + " bytes is longer than " +
                          std::to_string(field.width));
      }
      if (text.empty()) {
        writer.U8(0);  // an empty tree is one 0 byte; the rest keeps its values
      } else {
        writer.Bytes(AsBytes(text)).Fill(kTreePad, field.width - text.size());
      }
      break;
    }
    case FieldEncoding::kBits: {
      unsigned value = 0;
      if (IsFlag(field) && (text == "true" || text == "false")) {
        value = text == "true" ? 1 : 0;
      } else if (!ParseDecimal(text, MaskMax(field.mask), &value)) {
        return Refuse(field, error,
                      "\"" + std::string(text) + "\" is not a number from 0 to " +
                          std::to_string(MaskMax(field.mask)));
      }
      const auto shifted = static_cast<std::uint8_t>(value << MaskShift(field.mask));
      bytes[0] = static_cast<std::uint8_t>((bytes[0] & ~field.mask) | (shifted & field.mask));
      break;
    }
    case FieldEncoding::kByte:
    case FieldEncoding::kU16Le: {
      const bool is_byte = field.encoding == FieldEncoding::kByte;
      const unsigned max = is_byte ? 0xFFu : 0xFFFFu;
      unsigned value = 0;
      if (!ParseDecimal(text, max, &value)) {
        return Refuse(
            field, error,
            "\"" + std::string(text) + "\" is not a number from 0 to " + std::to_string(max));
      }
      if (is_byte) {
        writer.U8(static_cast<std::uint8_t>(value));
      } else {
        writer.U16Le(static_cast<std::uint16_t>(value));
      }
      break;
    }
  }
  if (!writer.ok()) return Refuse(field, error, "the field is too narrow for its encoding");
  std::copy(bytes.begin(), bytes.end(), target.begin());
  return true;
}

}  // namespace pscfg
