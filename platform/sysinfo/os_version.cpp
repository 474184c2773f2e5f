#include "platform/sysinfo/os_version.h"

#include <charconv>
#include <cstdlib>
#include <mutex>

namespace pscfg::sysinfo {
namespace {

std::mutex override_mutex;
std::optional<OsVersionInfo> version_override;

OsVersionInfo DefaultVersion() {
  OsVersionInfo info;
  info.platform_id = kVerPlatformWin32Nt;
  info.major_version = 5;
  info.minor_version = 0;
  info.build_number = 2195;
  return info;
}

OsVersionInfo MakeVersion(std::uint32_t platform_id, std::uint32_t major, std::uint32_t minor) {
  OsVersionInfo info;
  info.platform_id = platform_id;
  info.major_version = major;
  info.minor_version = minor;
  return info;
}

// Reads a decimal number that ends at `stop` (or at the end when stop is 0).
bool ReadNumber(std::string_view* text, char stop, std::uint32_t* value) {
  const char* begin = text->data();
  const char* end = begin + text->size();
  const auto [next, error] = std::from_chars(begin, end, *value);
  if (error != std::errc() || next == begin) return false;
  text->remove_prefix(static_cast<std::size_t>(next - begin));
  if (stop == 0) return text->empty();
  if (text->empty() || text->front() != stop) return false;
  text->remove_prefix(1);
  return true;
}

}  // namespace

std::optional<OsVersionInfo> ParseWinver(std::string_view text) {
  std::uint32_t platform = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  if (!ReadNumber(&text, ':', &platform) || !ReadNumber(&text, '.', &major) ||
      !ReadNumber(&text, 0, &minor)) {
    return std::nullopt;
  }
  return MakeVersion(platform, major, minor);
}

bool GetVersionEx(OsVersionInfo* info) {
  if (info == nullptr || info->os_version_info_size != sizeof(OsVersionInfo)) return false;
  {
    std::lock_guard lock(override_mutex);
    if (version_override) {
      *info = *version_override;
      return true;
    }
  }
  const char* winver = std::getenv("PSCFG_WINVER");
  if (winver != nullptr) {
    if (const auto parsed = ParseWinver(winver)) {
      *info = *parsed;
      return true;
    }
  }
  *info = DefaultVersion();
  return true;
}

ScopedOsVersion::ScopedOsVersion(std::uint32_t platform_id, std::uint32_t major_version,
                                 std::uint32_t minor_version) {
  std::lock_guard lock(override_mutex);
  previous_ = version_override;
  version_override = MakeVersion(platform_id, major_version, minor_version);
}

ScopedOsVersion::~ScopedOsVersion() {
  std::lock_guard lock(override_mutex);
  version_override = previous_;
}

}  // namespace pscfg::sysinfo
