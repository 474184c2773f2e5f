#pragma once
// The subnet mask of one of the PC's own addresses, looked up in the
// registry the way the IP settings page does it: with the NT walk on the
// NT family (platform id 2) and the 9x walk on Windows 9x (platform id 1);
// on any other platform nothing is found.
//
// NT walk: the card list is kNetworkCardsKeyNt4 for major version 4,
// kNetworkCardKeyNt5 for 5; no other major version has one. For each card
// in enumeration order: its "ServiceName" names the TCP/IP key
// (network_keys.h), whose "IPAddress", taken as a zero-terminated text (for
// a multi-string its first address), must equal `address` byte for byte.
// 9x walk: for each subkey of kNetTransKey9x, its "IPAddress" must equal
// `address`; the mask is its "IPMask".
// Every value is read into a buffer of 150 bytes; a longer one counts as
// not read. The first matching card ends the walk and counts as found; the
// mask is copied to *mask when it can be read, and *mask is left as it was
// when it cannot. Keys that cannot be opened or enumerated are passed over.

#include <string>

#include "platform/sysinfo/os_version.h"

namespace pscfg::registry {

inline constexpr unsigned kSubnetLookupValueBuffer = 150;

// With the version GetVersionEx reports; not found when it fails.
bool LookUpSubnetMask(const std::string& address, std::string* mask);

bool LookUpSubnetMask(const sysinfo::OsVersionInfo& version, const std::string& address,
                      std::string* mask);

}  // namespace pscfg::registry
