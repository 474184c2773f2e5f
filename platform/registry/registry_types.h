#pragma once
// Numbers of the registry interface: value types, access rights and the
// Win32 result codes, with the values the programs know from Windows.

#include <cstdint>
#include <string>
#include <vector>

namespace pscfg::registry {

using DWORD = std::uint32_t;
using LONG = std::int32_t;

// Value types.
inline constexpr DWORD kRegNone = 0;
inline constexpr DWORD kRegSz = 1;
inline constexpr DWORD kRegExpandSz = 2;
inline constexpr DWORD kRegBinary = 3;
inline constexpr DWORD kRegDword = 4;
inline constexpr DWORD kRegMultiSz = 7;

// Access rights of an open key.
inline constexpr DWORD kKeyQueryValue = 0x0001;
inline constexpr DWORD kKeySetValue = 0x0002;
inline constexpr DWORD kKeyCreateSubKey = 0x0004;
inline constexpr DWORD kKeyEnumerateSubKeys = 0x0008;
inline constexpr DWORD kKeyNotify = 0x0010;
inline constexpr DWORD kKeyRead = 0x20019;
inline constexpr DWORD kKeyWrite = 0x20006;
inline constexpr DWORD kKeyAllAccess = 0xF003F;

// What RegCreateKeyEx did.
inline constexpr DWORD kRegCreatedNewKey = 1;
inline constexpr DWORD kRegOpenedExistingKey = 2;

// Result codes.
inline constexpr LONG kErrorSuccess = 0;
inline constexpr LONG kErrorFileNotFound = 2;
inline constexpr LONG kErrorAccessDenied = 5;
inline constexpr LONG kErrorInvalidHandle = 6;
inline constexpr LONG kErrorInvalidParameter = 87;
inline constexpr LONG kErrorBadPathname = 161;
inline constexpr LONG kErrorMoreData = 234;
inline constexpr LONG kErrorNoMoreItems = 259;
inline constexpr LONG kErrorRegistryIoFailed = 1016;
inline constexpr LONG kErrorKeyDeleted = 1018;

// A value as stored: its type and its bytes exactly as written (a string
// value holds its terminator only when it was written with it).
struct RegValue {
  DWORD type = kRegNone;
  std::vector<std::uint8_t> data;

  bool operator==(const RegValue&) const = default;
};

// Values built the way the registry editor stores them.
RegValue MakeStringValue(const std::string& text, DWORD type = kRegSz);  // text + NUL
RegValue MakeMultiStringValue(const std::vector<std::string>& texts);    // each + NUL, then NUL
RegValue MakeDwordValue(DWORD number);                                   // 4 bytes, little-endian
RegValue MakeBinaryValue(std::vector<std::uint8_t> bytes);

}  // namespace pscfg::registry
