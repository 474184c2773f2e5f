#include "testbed/psemu/device_file.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/text/codepage.h"
#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/field_tables.h"
#include "testbed/psemu/device_records.h"
#include "testbed/psemu/field_access.h"

namespace pscfg::psemu {
namespace {

constexpr std::uint32_t kMaxResetSilenceMs = 600000;
constexpr std::uint32_t kMaxFaultCount = 1000000000;
// A reply with its garbage must still fit in one UDP datagram.
constexpr std::uint32_t kMaxOversize = 60000;

struct Line {
  std::string key;
  std::string value;
  int number = 0;
};

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SplitLines(std::string_view text, std::vector<Line>* lines, int* bad_line, std::string* why) {
  std::map<std::string, int, std::less<>> seen;
  int number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++number;
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    *bad_line = number;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      *why = "expected \"key = value\"";
      return false;
    }
    const std::string key(Trim(line.substr(0, equals)));
    if (key.empty()) {
      *why = "missing key before \"=\"";
      return false;
    }
    if (const auto it = seen.find(key); it != seen.end()) {
      *why = "\"" + key + "\" is already set on line " + std::to_string(it->second);
      return false;
    }
    seen.emplace(key, number);
    lines->push_back({key, std::string(Trim(line.substr(equals + 1))), number});
  }
  return true;
}

// Decimal, or hexadecimal after "0x".
bool ParseNumber(std::string_view text, std::uint32_t max, std::uint32_t* out) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value > max) {
    return false;
  }
  *out = static_cast<std::uint32_t>(value);
  return true;
}

bool IsTextEncoding(FieldEncoding encoding) {
  return encoding == FieldEncoding::kAsciiz || encoding == FieldEncoding::kChars ||
         encoding == FieldEncoding::kTreeName;
}

int PortIndex(std::string_view name) {
  const auto it = std::find(kPortNames.begin(), kPortNames.end(), name);
  return it == kPortNames.end() ? -1 : static_cast<int>(it - kPortNames.begin());
}

// Applies the lines of one file to a config, one at a time.
class ConfigBuilder {
 public:
  explicit ConfigBuilder(DeviceConfig* config) : config_(*config) {}

  bool Apply(const Line& line, std::string* why);
  bool checksum_set() const { return checksum_set_; }
  int display_line(int port) const { return display_lines_[static_cast<std::size_t>(port)]; }
  int entries_line(int port) const { return entries_lines_[static_cast<std::size_t>(port)]; }

 private:
  bool Number(std::string_view value, std::uint32_t max, std::uint32_t* out, std::string* why) {
    if (ParseNumber(value, max, out)) return true;
    *why = "expected a number from 0 to " + std::to_string(max) + ", not \"" + std::string(value) +
           "\"";
    return false;
  }
  bool Flag(std::string_view value, bool* out, std::string* why) {
    std::uint32_t n = 0;
    if (!Number(value, 1, &n, why)) return false;
    *out = n != 0;
    return true;
  }
  bool InfoByte(const FieldDescriptor& f, std::string_view value, std::uint32_t max,
                std::string* why) {
    std::uint32_t n = 0;
    if (!Number(value, max, &n, why)) return false;
    StoreByte(f, config_.info, static_cast<std::uint8_t>(n));
    return true;
  }
  bool RecordBits(const FieldDescriptor& f, std::string_view value, std::string* why) {
    std::uint32_t n = 0;
    if (!Number(value, 3, &n, why)) return false;
    StoreBits(f, config_.record, n);
    return true;
  }
  bool Printer(std::string_view kind, std::string_view port_name, const Line& line,
               std::string* why);
  bool Field(std::span<const FieldDescriptor> table, std::string_view table_name,
             std::string_view key, std::string_view value, std::span<std::uint8_t> record,
             const FieldDescriptor** found, std::string* why);
  bool Fault(std::string_view name, std::string_view value, std::string* why);

  DeviceConfig& config_;
  bool checksum_set_ = false;
  std::array<int, kPortCount> display_lines_{};
  std::array<int, kPortCount> entries_lines_{};
};

bool ToDeviceText(std::string_view utf8, std::string* out, std::string* why) {
  if (text::Utf8ToCp950(utf8, out)) return true;
  *why = "text is not UTF-8 or has a character that CP950 cannot hold";
  return false;
}

bool ConfigBuilder::Apply(const Line& line, std::string* why) {
  const std::string_view key = line.key;
  const std::string_view value = line.value;
  if (key == "node") return true;  // taken before the defaults were built
  if (key == "device_name") {
    std::string name;
    if (!ToDeviceText(value, &name, why)) return false;
    if (name.empty() || name.size() > info::kDeviceName.width) {
      *why = "device_name must have 1 to 8 characters";
      return false;
    }
    StoreText(info::kDeviceName, config_.info, name);
    return true;
  }
  if (key == "alias") {
    std::string alias;
    return ToDeviceText(value, &alias, why) && SetAlias(config_.record, alias, why);
  }
  if (key == "vendor") return InfoByte(info::kVendor, value, 255, why);
  if (key == "type") return InfoByte(info::kType, value, 255, why);
  if (key == "model_suffix") return InfoByte(info::kModelSuffix, value, 255, why);
  if (key == "firmware_complete") return InfoByte(info::kFirmwareComplete, value, 1, why);
  if (key == "capabilities") return InfoByte(info::kCapabilities, value, 255, why);
  if (key == "parallel_ports") return RecordBits(eeprom::kParallelPorts, value, why);
  if (key == "serial_ports") return RecordBits(eeprom::kSerialPorts, value, why);
  if (key == "ip_address") return ParseField(eeprom::kIpAddress, value, config_.record, why);
  if (key == "reset_silence_ms") {
    return Number(value, kMaxResetSilenceMs, &config_.reset_silence_ms, why);
  }
  const auto dot = key.find('.');
  if (dot != std::string_view::npos) {
    const std::string_view group = key.substr(0, dot);
    const std::string_view name = key.substr(dot + 1);
    if (group == "state" || group == "display" || group == "entries") {
      return Printer(group, name, line, why);
    }
    if (group == "record") {
      const FieldDescriptor* f = nullptr;
      if (!Field(EEPromFields(), "configuration record", name, value, config_.record, &f, why)) {
        return false;
      }
      if (f->offset == eeprom::kChecksum.offset) checksum_set_ = true;
      return true;
    }
    if (group == "status") {
      const FieldDescriptor* f = nullptr;
      auto& overlay = config_.status_overlay;
      if (!Field(StatusFields(), "status record", name, value, overlay.bytes, &f, why)) {
        return false;
      }
      auto mask = FieldBytes(*f, std::span<std::uint8_t>(overlay.mask));
      if (f->encoding == FieldEncoding::kBits) {
        mask[0] |= f->mask;
      } else {
        std::fill(mask.begin(), mask.end(), std::uint8_t{0xFF});
      }
      return true;
    }
    if (group == "fault") return Fault(name, value, why);
  }
  *why = "unknown key \"" + std::string(key) + "\"";
  return false;
}

bool ConfigBuilder::Printer(std::string_view kind, std::string_view port_name, const Line& line,
                            std::string* why) {
  const int port = PortIndex(port_name);
  if (port < 0) {
    *why = "unknown port \"" + std::string(port_name) + "\" (LPT1 LPT2 LPT3 COM1 COM2)";
    return false;
  }
  auto& printer = config_.ports[static_cast<std::size_t>(port)];
  const auto index = static_cast<std::size_t>(port);
  if (kind == "state") {
    static constexpr std::array<std::pair<std::string_view, PrinterState>, 4> kStates = {{
        {"ready", PrinterState::kReady},
        {"offline", PrinterState::kOffline},
        {"paper_out", PrinterState::kPaperOut},
        {"running", PrinterState::kRunning},
    }};
    for (const auto& [name, state] : kStates) {
      if (line.value == name) {
        printer.state = state;
        return true;
      }
    }
    *why = "unknown printer state \"" + line.value + "\" (ready offline paper_out running)";
    return false;
  }
  if (kind == "display") {
    display_lines_[index] = line.number;
    return ToDeviceText(line.value, &printer.display, why);
  }
  entries_lines_[index] = line.number;
  return ToDeviceText(line.value, &printer.entries, why);
}

bool ConfigBuilder::Field(std::span<const FieldDescriptor> table, std::string_view table_name,
                          std::string_view key, std::string_view value,
                          std::span<std::uint8_t> record, const FieldDescriptor** found,
                          std::string* why) {
  const FieldDescriptor* f = FindField(table, key);
  if (f == nullptr) {
    *why = "the " + std::string(table_name) + " has no field \"" + std::string(key) + "\"";
    return false;
  }
  std::string converted(value);
  if (IsTextEncoding(f->encoding) && !ToDeviceText(value, &converted, why)) return false;
  if (!ParseField(*f, converted, record, why)) return false;
  *found = f;
  return true;
}

bool ConfigBuilder::Fault(std::string_view name, std::string_view value, std::string* why) {
  auto& faults = config_.faults;
  if (name == "silent") return Flag(value, &faults.silent, why);
  if (name == "wrong_command") return Flag(value, &faults.wrong_command, why);
  if (name == "split_reply") return Flag(value, &faults.split_reply, why);
  if (name == "answer_after") return Number(value, kMaxFaultCount, &faults.answer_after, why);
  if (name == "drop_every") return Number(value, kMaxFaultCount, &faults.drop_every, why);
  if (name == "oversize") {
    std::uint32_t n = 0;
    if (!Number(value, kMaxOversize, &n, why)) return false;
    faults.oversize = n;
    return true;
  }
  *why = "unknown fault \"" + std::string(name) +
         "\" (silent answer_after wrong_command split_reply oversize drop_every)";
  return false;
}

}  // namespace

bool ParseDeviceFile(std::string_view text, const std::string& source, DeviceConfig* config,
                     std::string* error) {
  const auto fail = [&](int line, const std::string& why) {
    *error = source + ":" + std::to_string(line) + ": " + why;
    return false;
  };
  std::vector<Line> lines;
  int bad_line = 0;
  std::string why;
  if (!SplitLines(text, &lines, &bad_line, &why)) return fail(bad_line, why);

  const auto node_line =
      std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.key == "node"; });
  if (node_line == lines.end()) return fail(1, "missing \"node = aa:bb:cc:dd:ee:ff\"");
  Record scratch{};
  if (!ParseField(eeprom::kEthernetAddress, node_line->value, scratch, &why)) {
    return fail(node_line->number, "node: " + why);
  }
  DeviceConfig built;
  built.source = source;
  std::copy_n(FieldBytes(eeprom::kEthernetAddress, std::span<const std::uint8_t>(scratch)).begin(),
              kNodeAddressSize, built.node.begin());
  if (built.node == kAllNodes) return fail(node_line->number, "node: the broadcast address");
  built.record = DefaultRecord(built.node);
  built.info = DefaultInfo(built.node);

  ConfigBuilder builder(&built);
  for (const Line& line : lines) {
    if (!builder.Apply(line, &why)) return fail(line.number, why);
  }
  for (int k = 0; k < kPortCount; ++k) {
    const auto& port = built.ports[static_cast<std::size_t>(k)];
    if (Block1Text(port).size() > kMaxBlockText) {
      return fail(builder.display_line(k), "display text does not fit in the status block");
    }
    if (port.entries.size() > kMaxBlockText) {
      return fail(builder.entries_line(k), "entries do not fit in the status block");
    }
  }
  if (!builder.checksum_set()) FinalizeChecksum(built.record);
  *config = std::move(built);
  return true;
}

bool LoadDeviceFile(const std::filesystem::path& path, DeviceConfig* config, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path.string() + ": cannot read the device file";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseDeviceFile(text.str(), path.string(), config, error);
}

bool ExpandDeviceFiles(const std::vector<std::string>& arguments,
                       std::vector<std::filesystem::path>* files, std::string* error) {
  for (const auto& argument : arguments) {
    const std::filesystem::path path(argument);
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) {
      files->push_back(path);
      continue;
    }
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
      if (entry.path().extension() == ".dev") found.push_back(entry.path());
    }
    if (ec) {
      *error = argument + ": cannot list the directory: " + ec.message();
      return false;
    }
    std::sort(found.begin(), found.end());
    files->insert(files->end(), found.begin(), found.end());
  }
  return true;
}

}  // namespace pscfg::psemu
