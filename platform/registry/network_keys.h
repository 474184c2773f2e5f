#pragma once
// Where Windows keeps the network settings the programs read under
// HKEY_LOCAL_MACHINE.

#include <string_view>

namespace pscfg::registry {

// One subkey per network card, with the card's "ServiceName".
inline constexpr std::string_view kNetworkCardsKeyNt4 =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
inline constexpr std::string_view kNetworkCardKeyNt5 =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard";
inline constexpr std::string_view kServiceNameValue = "ServiceName";
inline constexpr std::string_view kDescriptionValue = "Description";

// The TCP/IP settings of a card: kServicesKeyPrefix + service name +
// kTcpipParametersSuffix, with the multi-string values "IPAddress" and
// "SubnetMask" (first address first).
inline constexpr std::string_view kServicesKeyPrefix = "SYSTEM\\CurrentControlSet\\Services\\";
inline constexpr std::string_view kTcpipParametersSuffix = "\\Parameters\\Tcpip";
inline constexpr std::string_view kIpAddressValue = "IPAddress";
inline constexpr std::string_view kSubnetMaskValue = "SubnetMask";

// Windows 9x: one subkey per bound transport, with "IPAddress" and "IPMask".
inline constexpr std::string_view kNetTransKey9x =
    "System\\CurrentControlSet\\Services\\Class\\NetTrans";
inline constexpr std::string_view kIpMaskValue9x = "IPMask";

}  // namespace pscfg::registry
