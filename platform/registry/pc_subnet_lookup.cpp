#include "platform/registry/pc_subnet_lookup.h"

#include <cstdint>
#include <vector>

#include "platform/registry/network_keys.h"
#include "platform/registry/registry.h"

namespace pscfg::registry {
namespace {

// Value `name` of `key` as a zero-terminated text read into the page's
// 150-byte buffer (its type is not looked at).
bool ReadText(HKey key, std::string_view name, std::string* text) {
  std::uint8_t buffer[kSubnetLookupValueBuffer] = {};
  DWORD type = 0;
  DWORD size = sizeof buffer;
  if (RegQueryValueEx(key, name, &type, buffer, &size) != kErrorSuccess) return false;
  std::size_t length = 0;
  while (length < size && buffer[length] != 0) ++length;
  text->assign(reinterpret_cast<const char*>(buffer), length);
  return true;
}

// Closes the key when it goes out of scope.
class KeyCloser {
 public:
  explicit KeyCloser(HKey key) : key_(key) {}
  ~KeyCloser() { RegCloseKey(key_); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

 private:
  HKey key_;
};

// Calls `visit` with each subkey of `list_path` opened for reading, until
// it returns true; true when one did.
template <typename Visit>
bool ForEachSubkey(std::string_view list_path, Visit visit) {
  HKey list = kNoKey;
  if (RegOpenKeyEx(kHkeyLocalMachine, list_path, kKeyRead, &list) != kErrorSuccess) return false;
  KeyCloser close_list(list);
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKey(list, &count, &longest) != kErrorSuccess) return false;
  std::vector<char> name(longest + 1);
  for (DWORD index = 0; index < count; ++index) {
    DWORD name_size = static_cast<DWORD>(name.size());
    if (RegEnumKeyEx(list, index, name.data(), &name_size) != kErrorSuccess) continue;
    HKey entry = kNoKey;
    if (RegOpenKeyEx(list, std::string_view(name.data(), name_size), kKeyRead, &entry) !=
        kErrorSuccess) {
      continue;
    }
    KeyCloser close_entry(entry);
    if (visit(entry)) return true;
  }
  return false;
}

bool NtWalk(std::uint32_t major_version, const std::string& address, std::string* mask) {
  std::string_view cards;
  if (major_version == 4) {
    cards = kNetworkCardsKeyNt4;
  } else if (major_version == 5) {
    cards = kNetworkCardKeyNt5;
  } else {
    return false;
  }
  return ForEachSubkey(cards, [&](HKey card) {
    std::string service;
    if (!ReadText(card, kServiceNameValue, &service)) return false;
    const std::string tcpip_path =
        std::string(kServicesKeyPrefix) + service + std::string(kTcpipParametersSuffix);
    HKey tcpip = kNoKey;
    if (RegOpenKeyEx(kHkeyLocalMachine, tcpip_path, kKeyRead, &tcpip) != kErrorSuccess) {
      return false;
    }
    KeyCloser close_tcpip(tcpip);
    std::string card_address;
    if (!ReadText(tcpip, kIpAddressValue, &card_address) || card_address != address) return false;
    std::string card_mask;
    if (ReadText(tcpip, kSubnetMaskValue, &card_mask)) *mask = card_mask;
    return true;
  });
}

bool Win9xWalk(const std::string& address, std::string* mask) {
  return ForEachSubkey(kNetTransKey9x, [&](HKey transport) {
    std::string transport_address;
    if (!ReadText(transport, kIpAddressValue, &transport_address) || transport_address != address) {
      return false;
    }
    std::string transport_mask;
    if (ReadText(transport, kIpMaskValue9x, &transport_mask)) *mask = transport_mask;
    return true;
  });
}

}  // namespace

bool LookUpSubnetMask(const sysinfo::OsVersionInfo& version, const std::string& address,
                      std::string* mask) {
  switch (version.platform_id) {
    case sysinfo::kVerPlatformWin32Nt:
      return NtWalk(version.major_version, address, mask);
    case sysinfo::kVerPlatformWin32Windows:
      return Win9xWalk(address, mask);
    default:
      return false;
  }
}

bool LookUpSubnetMask(const std::string& address, std::string* mask) {
  sysinfo::OsVersionInfo version;
  if (!sysinfo::GetVersionEx(&version)) return false;
  return LookUpSubnetMask(version, address, mask);
}

}  // namespace pscfg::registry
