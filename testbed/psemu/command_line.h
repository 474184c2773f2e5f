#pragma once
// psemu's command line.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pscfg::psemu {

struct CommandLine {
  std::array<std::uint8_t, 4> bind{};
  std::string bind_text;
  std::uint16_t port = 13364;
  std::filesystem::path state_dir;  // empty: nothing is kept
  bool log = false;
  bool help = false;
  std::vector<std::string> device_arguments;  // files and directories
};

// False with a message for a bad command line. A bind address outside
// 127.0.0.0/8 is refused here too.
bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* out,
                      std::string* error);

std::string UsageText();

}  // namespace pscfg::psemu
