#include "platform/profile/private_profile.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/text/codepage.h"

namespace pscfg::profile {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool ReadWholeFile(const std::filesystem::path& file, std::string* bytes) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const auto size = std::filesystem::file_size(file, ec);
  if (!ec) bytes->reserve(static_cast<std::size_t>(size));
  char chunk[64 * 1024];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes->append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  return !in.bad();
}

// The value of `key` in the first section named `section`, trimmed, unquoted
// and cut at a NUL byte; nothing when there is no such section or key. One
// pass over the text.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  bool in_section = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      // The first section of that name wins: its end ends the search.
      if (in_section) return std::nullopt;
      in_section = EqualsIgnoreCase(Trim(line.substr(1, close - 1)), section);
      continue;
    }
    if (!in_section) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, equals));
    if (name.empty() || !EqualsIgnoreCase(name, key)) continue;
    std::string_view value = Unquote(Trim(line.substr(equals + 1)));
    return value.substr(0, value.find('\0'));
  }
  return std::nullopt;
}

// The value as UTF-8, or nothing when the file, section or key is missing.
std::optional<std::string> LookUp(std::string_view section, std::string_view key,
                                  const std::filesystem::path& file) {
  std::string bytes;
  if (!ReadWholeFile(file, &bytes)) return std::nullopt;
  std::string_view content = bytes;
  if (content.starts_with(kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());
  const std::string text = text::FileTextToUtf8(content);
  const std::optional<std::string_view> value = FindValue(text, section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

// Length of the UTF-8 sequence that starts at s[0], at least 1 and never
// beyond the end, so that malformed text cannot make the cut overrun.
std::size_t SequenceLength(std::string_view s) {
  const auto b = static_cast<std::uint8_t>(s.front());
  std::size_t length = 1;
  if (b >= 0xF0 && b <= 0xF7) {
    length = 4;
  } else if (b >= 0xE0) {
    length = 3;
  } else if (b >= 0xC0) {
    length = 2;
  }
  return length <= s.size() ? length : s.size();
}

// Cuts UTF-8 text to what a CP950 buffer of `buffer_size` bytes holds with
// its terminator. In CP950 ASCII takes one byte and every other character two
// (U+0080, its one single-byte exception, is a control character no value
// holds), so the width follows from the UTF-8 lead byte alone.
std::string CutToBuffer(std::string_view utf8, std::size_t buffer_size) {
  if (buffer_size == 0) return {};
  const std::size_t budget = buffer_size - 1;
  std::size_t used = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t length = SequenceLength(utf8.substr(pos));
    const std::size_t width = static_cast<std::uint8_t>(utf8[pos]) < 0x80 ? 1 : 2;
    if (used + width > budget) break;
    used += width;
    pos += length;
  }
  return std::string(utf8.substr(0, pos));
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool CanOpenForReading(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  return static_cast<bool>(in);
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_value, std::size_t buffer_size,
                                    const std::filesystem::path& file) {
  const std::optional<std::string> value = LookUp(section, key, file);
  if (value) return CutToBuffer(*value, buffer_size);
  return CutToBuffer(default_value.substr(0, default_value.find('\0')), buffer_size);
}

// Windows reads the integer through its string reader with an empty default
// and falls back to `default_value` only when that yields no characters; a
// value that is present goes through the digit parser, which gives 0 when it
// finds no number. So "VendorID=abc" means 0 (any vendor), while a missing
// key or "VendorID=" keeps the default.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int default_value,
                         const std::filesystem::path& file) {
  const std::optional<std::string> value = LookUp(section, key, file);
  if (!value || value->empty()) return default_value;
  return ParseProfileInt(*value);
}

// Digits accumulate in an unsigned 32-bit number, which wraps modulo 2^32
// without undefined behaviour; the sign is applied in the same arithmetic and
// the bits are then read as an int (a modular conversion in C++20). The low
// byte, which is what "VendorID" uses, is thus that of the written number.
int ParseProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint32_t value = 0;
  if (text.size() - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      HexDigitValue(text[i + 2]) >= 0) {
    for (i += 2; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
      value = value * 16u + static_cast<std::uint32_t>(HexDigitValue(text[i]));
    }
  } else {
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
      value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

}  // namespace pscfg::profile
