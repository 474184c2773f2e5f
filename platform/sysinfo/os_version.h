#pragma once
// GetVersionEx: which Windows the programs believe they run on.
//
// The programs choose where to look in the registry by the platform id and
// the major version (the network-card keys differ between NT 4 and NT 5).
// This host reports the NT family, version 5.0, build 2195, so the NT
// look-ups run over the registry's live view of the network cards.
//
// Another version can be set:
// - by a ScopedOsVersion (tests), which wins over everything else;
// - by the environment variable PSCFG_WINVER, "PLATFORM:MAJOR.MINOR", for
//   example "1:4.10" (Windows 98) or "2:4.0" (NT 4); the build number is then
//   0. A value that does not have this form is ignored.

#include <cstdint>
#include <optional>
#include <string_view>

namespace pscfg::sysinfo {

inline constexpr std::uint32_t kVerPlatformWin32s = 0;
inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

// The version record, 148 bytes like the platform's OSVERSIONINFO.
struct OsVersionInfo {
  std::uint32_t os_version_info_size = sizeof(OsVersionInfo);
  std::uint32_t major_version = 0;
  std::uint32_t minor_version = 0;
  std::uint32_t build_number = 0;
  std::uint32_t platform_id = 0;
  char csd_version[128] = {};
};
static_assert(sizeof(OsVersionInfo) == 148);

// Fills `info`. False, leaving it alone, when `info` is null or its size
// field is not sizeof(OsVersionInfo) (the caller must set it, as on Windows).
bool GetVersionEx(OsVersionInfo* info);

// The "PLATFORM:MAJOR.MINOR" text of PSCFG_WINVER: decimal numbers only,
// nothing before or after.
std::optional<OsVersionInfo> ParseWinver(std::string_view text);

// Makes GetVersionEx report this version while it lives. Not nestable across
// threads; meant for tests.
class ScopedOsVersion {
 public:
  ScopedOsVersion(std::uint32_t platform_id, std::uint32_t major_version,
                  std::uint32_t minor_version);
  ~ScopedOsVersion();
  ScopedOsVersion(const ScopedOsVersion&) = delete;
  ScopedOsVersion& operator=(const ScopedOsVersion&) = delete;

 private:
  std::optional<OsVersionInfo> previous_;
};

}  // namespace pscfg::sysinfo
