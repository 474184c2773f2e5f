#include "tools/psctl/command_line.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace pscfg::psctl {

const char kUsage[] =
    "usage: psctl [--transport udp|ipx] [--config FILE] [--json] COMMAND [ARGS]\n"
    "\n"
    "  discover                       full discovery; prints the server table\n"
    "  search TARGET                  one search; prints the print server's identity\n"
    "  read TARGET [--out FILE]       reads and prints the configuration record;\n"
    "                                 --out writes its 512 raw bytes\n"
    "  write TARGET FILE              writes the 512 bytes of FILE (byte 511 recomputed)\n"
    "  backup TARGET FILE             saves the configuration record (512 raw bytes)\n"
    "  restore TARGET FILE            writes a saved record back; a reset applies it\n"
    "  set TARGET FIELD=VALUE ...     changes fields of the record in one write\n"
    "  reset TARGET                   resets, waits for the print server, reads it again\n"
    "  status TARGET                  reads and prints the print-server status\n"
    "  printer-status TARGET PORT     reads and prints the printer status of a port\n"
    "  test-print TARGET PORT         prints a test page on a port\n"
    "\n"
    "TARGET  a node address aa:bb:cc:dd:ee:ff (addressed directly) or an alias\n"
    "        (discovery first)\n"
    "PORT    LPT1 LPT2 LPT3 COM1 COM2, or 0..4\n"
    "FIELD   alias, ip_address, gateway, subnet_mask, tcpip_enabled, netware_disabled,\n"
    "        netbeui_enabled, appletalk_enabled, self_test_page, snmp_contact,\n"
    "        snmp_location, dhcp_mode (auto, on, off)\n"
    "\n"
    "--config FILE  the Config.ini to read (default: Config.ini beside psctl)\n"
    "--json         machine-readable output\n"
    "\n"
    "Exit status: 0 success, 1 the device operation failed, 2 usage error,\n"
    "3 target not found.\n";

namespace {

struct CommandShape {
  const char* name;
  std::size_t min_args;
  std::size_t max_args;  // SIZE_MAX: any number
};

constexpr std::array kCommands = {
    CommandShape{"discover", 0, 0},   CommandShape{"search", 1, 1},
    CommandShape{"read", 1, 1},       CommandShape{"write", 2, 2},
    CommandShape{"backup", 2, 2},     CommandShape{"restore", 2, 2},
    CommandShape{"set", 2, SIZE_MAX}, CommandShape{"reset", 1, 1},
    CommandShape{"status", 1, 1},     CommandShape{"printer-status", 2, 2},
    CommandShape{"test-print", 2, 2},
};

}  // namespace

std::optional<int> ParsePort(const std::string& text) {
  static constexpr std::array<const char*, 5> kNames = {"LPT1", "LPT2", "LPT3", "COM1", "COM2"};
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (upper == kNames[i]) return static_cast<int>(i);
  }
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '4') return text[0] - '0';
  return std::nullopt;
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string* error) {
  CommandLine line;
  bool out_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&](const char* option) -> const std::string* {
      if (i + 1 >= args.size()) {
        *error = std::string(option) + " needs a value";
        return nullptr;
      }
      return &args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--json") {
      line.json = true;
    } else if (arg == "--transport") {
      const std::string* v = value("--transport");
      if (v == nullptr) return std::nullopt;
      if (*v == "udp") {
        line.transport = Transport::kUdp;
      } else if (*v == "ipx") {
        line.transport = Transport::kIpx;
      } else {
        *error = "unknown transport '" + *v + "' (udp or ipx)";
        return std::nullopt;
      }
    } else if (arg == "--config") {
      const std::string* v = value("--config");
      if (v == nullptr) return std::nullopt;
      line.config_file = *v;
    } else if (arg == "--out") {
      const std::string* v = value("--out");
      if (v == nullptr) return std::nullopt;
      line.out_file = *v;
      out_given = true;
    } else if (arg.size() > 1 && arg[0] == '-' && arg.find('=') == std::string::npos) {
      *error = "unknown option '" + arg + "'";
      return std::nullopt;
    } else if (line.command.empty()) {
      line.command = arg;
    } else {
      line.arguments.push_back(arg);
    }
  }
  if (line.help) return line;
  if (line.command.empty()) {
    *error = "no command given";
    return std::nullopt;
  }
  const auto shape = std::find_if(kCommands.begin(), kCommands.end(),
                                  [&](const CommandShape& c) { return line.command == c.name; });
  if (shape == kCommands.end()) {
    *error = "unknown command '" + line.command + "'";
    return std::nullopt;
  }
  if (line.arguments.size() < shape->min_args || line.arguments.size() > shape->max_args) {
    *error = "wrong number of arguments for '" + line.command + "'";
    return std::nullopt;
  }
  if (out_given && line.command != "read") {
    *error = "--out belongs to 'read'";
    return std::nullopt;
  }
  if (out_given && line.out_file.empty()) {
    *error = "--out needs a file name";
    return std::nullopt;
  }
  if ((line.command == "printer-status" || line.command == "test-print") &&
      !ParsePort(line.arguments[1])) {
    *error = "bad port '" + line.arguments[1] + "' (LPT1 LPT2 LPT3 COM1 COM2 or 0..4)";
    return std::nullopt;
  }
  return line;
}

}  // namespace pscfg::psctl
