#pragma once
// psctl's command line.

#include <optional>
#include <string>
#include <vector>

namespace pscfg::psctl {

enum class Transport { kUdp, kIpx };

struct CommandLine {
  Transport transport = Transport::kUdp;
  std::string config_file;  // empty: Config.ini beside the executable
  bool json = false;
  bool help = false;
  std::string command;
  std::vector<std::string> arguments;  // positional arguments after the command
  std::string out_file;                // read --out FILE
};

// Exit codes of the contract.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNotFound = 3;

// Parses argv (without argv[0]). On a usage error returns nullopt with the
// reason in *error.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string* error);

// Port names LPT1 LPT2 LPT3 COM1 COM2 (any case) or 0..4.
std::optional<int> ParsePort(const std::string& text);

extern const char kUsage[];

}  // namespace pscfg::psctl
