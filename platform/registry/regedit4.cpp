#include "platform/registry/regedit4.h"

#include <optional>
#include <vector>

namespace pscfg::registry {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kHexLineWidth = 80;  // with the trailing backslash

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && NamesEqual(text.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The lines of the text without their line ends (LF or CRLF).
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

// A quoted text at the start of `*text`, with \\ and \" escapes; on success
// `*text` is left after the closing quote.
std::optional<std::string> ReadQuoted(std::string_view* text) {
  if (text->empty() || text->front() != '"') return std::nullopt;
  std::string result;
  std::size_t pos = 1;
  while (pos < text->size()) {
    const char c = (*text)[pos];
    if (c == '"') {
      text->remove_prefix(pos + 1);
      return result;
    }
    if (c == '\\') {
      if (pos + 1 >= text->size()) return std::nullopt;
      const char escaped = (*text)[pos + 1];
      if (escaped != '\\' && escaped != '"') return std::nullopt;
      result.push_back(escaped);
      pos += 2;
      continue;
    }
    result.push_back(c);
    ++pos;
  }
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadHexList(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  text = Trim(text);
  if (text.empty()) return bytes;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t comma = text.find(',', pos);
    const std::string_view piece = Trim(
        text.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
    if (piece.empty() || piece.size() > 2) return std::nullopt;
    int value = 0;
    for (const char c : piece) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + digit;
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
    if (comma == std::string_view::npos) return bytes;
    pos = comma + 1;
  }
}

// A hexadecimal number of 1 to 8 digits that makes up all of `text`.
std::optional<DWORD> ReadHexNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  DWORD value = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<DWORD>(digit);
  }
  return value;
}

enum class DataKind { kValue, kDeletion, kMalformed };

// The part after '=' of a value line.
DataKind ReadData(std::string_view text, RegValue* value) {
  text = Trim(text);
  if (text == "-") return DataKind::kDeletion;
  if (!text.empty() && text.front() == '"') {
    const auto quoted = ReadQuoted(&text);
    if (!quoted || !Trim(text).empty()) return DataKind::kMalformed;
    *value = MakeStringValue(*quoted);
    return DataKind::kValue;
  }
  if (StartsWithIgnoringCase(text, "dword:")) {
    const auto number = ReadHexNumber(Trim(text.substr(6)));
    if (!number) return DataKind::kMalformed;
    *value = MakeDwordValue(*number);
    return DataKind::kValue;
  }
  if (!StartsWithIgnoringCase(text, "hex")) return DataKind::kMalformed;
  text.remove_prefix(3);
  DWORD type = kRegBinary;
  if (!text.empty() && text.front() == '(') {
    const std::size_t close = text.find(')');
    if (close == std::string_view::npos) return DataKind::kMalformed;
    const auto number = ReadHexNumber(text.substr(1, close - 1));
    if (!number) return DataKind::kMalformed;
    type = *number;
    text.remove_prefix(close + 1);
  }
  if (text.empty() || text.front() != ':') return DataKind::kMalformed;
  const auto bytes = ReadHexList(text.substr(1));
  if (!bytes) return DataKind::kMalformed;
  *value = RegValue{type, *bytes};
  return DataKind::kValue;
}

// The key path of a section line "[HKEY_LOCAL_MACHINE\...]"; nothing for a
// malformed line, a deletion section or another root.
std::optional<std::vector<std::string>> ReadSection(std::string_view line) {
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos || !Trim(line.substr(close + 1)).empty()) {
    return std::nullopt;
  }
  const std::string_view inside = line.substr(1, close - 1);
  const std::size_t separator = inside.find('\\');
  const std::string_view root = inside.substr(0, separator);
  if (!NamesEqual(root, kRootKeyName)) return std::nullopt;
  if (separator == std::string_view::npos) return std::vector<std::string>{};
  return SplitKeyPath(inside.substr(separator + 1));
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

bool IsPlainString(const RegValue& value) {
  if (value.type != kRegSz || value.data.empty() || value.data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
    const std::uint8_t byte = value.data[i];
    if (byte == 0 || byte == '\r' || byte == '\n') return false;
  }
  return true;
}

std::string HexByte(std::uint8_t byte) {
  constexpr char kDigits[] = "0123456789abcdef";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

std::string FormatValueLine(const KeyNode::NamedValue& named) {
  std::string line = named.name.empty() ? "@=" : Quote(named.name) + "=";
  const RegValue& value = named.value;
  if (IsPlainString(value)) {
    return line + Quote(std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                         value.data.size() - 1));
  }
  if (value.type == kRegDword && value.data.size() == 4) {
    const DWORD number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                         (static_cast<DWORD>(value.data[3]) << 24);
    constexpr char kDigits[] = "0123456789abcdef";
    line += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4) line.push_back(kDigits[(number >> shift) & 0xF]);
    return line;
  }
  if (value.type == kRegBinary) {
    line += "hex:";
  } else {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string type;
    for (DWORD t = value.type; t != 0 || type.empty(); t >>= 4)
      type.insert(type.begin(), kDigits[t & 0xF]);
    line += "hex(" + type + "):";
  }
  // Wrapped as the registry editor wraps: a line ends in ",\" where one
  // more "xx," and the backslash would pass the width; the next line starts
  // with two blanks.
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    if (i > 0) {
      line.push_back(',');
      if (line.size() - line_start + 4 > kHexLineWidth) {
        line += "\\\n  ";
        line_start = line.size() - 2;
      }
    }
    line += HexByte(value.data[i]);
  }
  return line;
}

void FormatKey(const KeyNode& key, const std::string& path, bool is_root, std::string* out) {
  if (!is_root || !key.values().empty()) {
    *out += "\n[" + path + "]\n";
    for (const KeyNode::NamedValue& named : key.values()) {
      if (IsStorableName(named.name)) *out += FormatValueLine(named) + "\n";
    }
  }
  for (const KeyNode& subkey : key.subkeys()) {
    if (IsStorableName(subkey.name())) FormatKey(subkey, path + "\\" + subkey.name(), false, out);
  }
}

}  // namespace

bool IsStorableName(std::string_view name) {
  return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

KeyNode ParseRegedit4(std::string_view text) {
  KeyNode root;
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  const std::vector<std::string_view> lines = SplitLines(text);

  std::size_t index = 0;
  while (index < lines.size() && Trim(lines[index]).empty()) ++index;
  if (index == lines.size() || Trim(lines[index]) != kHeader) return root;

  std::optional<std::vector<std::string>> current;  // the key values go to
  for (++index; index < lines.size(); ++index) {
    const std::string_view line = Trim(lines[index]);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      current = ReadSection(line);
      if (current) root.Create(*current);
      continue;
    }

    std::string_view rest = line;
    std::string name;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      const auto quoted = ReadQuoted(&rest);
      if (!quoted) continue;
      name = *quoted;
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') continue;
    std::string data(Trim(rest.substr(1)));
    // Only hex lists go on over lines; each continued line ends in '\'.
    if (StartsWithIgnoringCase(data, "hex")) {
      while (!data.empty() && data.back() == '\\' && index + 1 < lines.size()) {
        data.pop_back();
        data.append(Trim(lines[++index]));
      }
    }
    if (!current) continue;
    RegValue value;
    if (ReadData(data, &value) != DataKind::kValue) continue;
    root.Create(*current).SetValue(name, std::move(value));
  }
  return root;
}

std::string FormatRegedit4(const KeyNode& root) {
  std::string out(kHeader);
  out += "\n";
  FormatKey(root, std::string(kRootKeyName), true, &out);
  return out;
}

}  // namespace pscfg::registry
