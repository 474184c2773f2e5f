#include "testbed/psemu/command_line.h"

#include <arpa/inet.h>

#include <charconv>

#include "protocol/wire.h"

namespace pscfg::psemu {
namespace {

constexpr std::uint8_t kLoopbackNet = 127;

bool ParsePort(const std::string& text, std::uint16_t* port) {
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value > 65535) {
    return false;
  }
  *port = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace

std::string UsageText() {
  return "usage: psemu --bind 127.0.0.N [--port 13364] [--state DIR] [--log] DEVICE_FILE...\n"
         "\n"
         "Emulates print servers on one UDP socket bound to a loopback address.\n"
         "Each DEVICE_FILE describes one print server; a directory stands for\n"
         "every *.dev file in it.\n"
         "\n"
         "  --bind ADDR   address to listen on; only 127.0.0.0/8 is accepted\n"
         "  --port N      UDP port (default 13364)\n"
         "  --state DIR   keep each device's record in DIR/<node>.eeprom and its\n"
         "                test pages in DIR/<node>-<PORT>.prn\n"
         "  --log         one line per received datagram on stderr\n"
         "\n"
         "Prints \"psemu ready <addr>:<port> devices=<K>\" when it listens.\n"
         "SIGHUP re-reads the printer states and texts (state.*, display.*,\n"
         "entries.*) of the device files; SIGINT and SIGTERM end it.\n"
         "Exit codes: 0 ended by a signal, 2 bad arguments or device file,\n"
         "3 the address cannot be bound.\n";
}

bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* out,
                      std::string* error) {
  CommandLine line;
  line.port = kUdpDevicePort;
  bool bound = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    const auto value = [&](std::string* v) {
      if (i + 1 >= arguments.size()) {
        *error = a + " needs a value";
        return false;
      }
      *v = arguments[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      line.help = true;
    } else if (a == "--log") {
      line.log = true;
    } else if (a == "--bind") {
      if (!value(&v)) return false;
      in_addr address{};
      if (::inet_pton(AF_INET, v.c_str(), &address) != 1) {
        *error = "--bind: \"" + v + "\" is not an IPv4 address";
        return false;
      }
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(&address.s_addr);
      std::copy(bytes, bytes + 4, line.bind.begin());
      if (line.bind[0] != kLoopbackNet) {
        *error = "--bind: refusing " + v + ": only loopback addresses (127.0.0.0/8) are allowed";
        return false;
      }
      line.bind_text = v;
      bound = true;
    } else if (a == "--port") {
      if (!value(&v)) return false;
      if (!ParsePort(v, &line.port)) {
        *error = "--port: \"" + v + "\" is not a port number";
        return false;
      }
    } else if (a == "--state") {
      if (!value(&v)) return false;
      line.state_dir = v;
    } else if (!a.empty() && a[0] == '-') {
      *error = "unknown option " + a;
      return false;
    } else {
      line.device_arguments.push_back(a);
    }
  }
  if (!bound && !line.help) {
    *error = "--bind 127.0.0.N is required";
    return false;
  }
  *out = std::move(line);
  return true;
}

}  // namespace pscfg::psemu
