#pragma once
// Text of the addresses that the records hold.

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace pscfg {

// Four address bytes, the first dotted number first.
using Ipv4Bytes = std::array<std::uint8_t, 4>;

// "%i.%i.%i.%i" of the first four bytes; empty when fewer are given.
std::string FormatIpv4(std::span<const std::uint8_t> bytes);

// "%02X %02X %02X %02X %02X %02X" of the first six bytes; empty when fewer are given.
std::string FormatMac(std::span<const std::uint8_t> bytes);

// The address bytes of four parsed dotted numbers (each keeps its low 8 bits).
Ipv4Bytes Ipv4FromNumbers(const std::array<int, 4>& numbers);

}  // namespace pscfg
