#include "platform/sysinfo/machine_state.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace pscfg::sysinfo {
namespace {

std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::filesystem::path HomeDirectory() {
  const std::string home = EnvOrEmpty("HOME");
  if (!home.empty()) return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

std::filesystem::path MachineStateRoot() {
  const std::string root = EnvOrEmpty("PSCFG_ROOT");
  if (!root.empty()) return root;
  const std::filesystem::path xdg = EnvOrEmpty("XDG_DATA_HOME");
  if (xdg.is_absolute()) return xdg / "pscfg";
  const std::filesystem::path home = HomeDirectory();
  if (home.empty()) return {};
  return home / ".local" / "share" / "pscfg";
}

}  // namespace pscfg::sysinfo
