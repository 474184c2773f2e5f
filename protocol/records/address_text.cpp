#include "protocol/records/address_text.h"

#include <cstdio>

namespace pscfg {

std::string FormatIpv4(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%i.%i.%i.%i", bytes[0], bytes[1], bytes[2], bytes[3]);
  return text;
}

std::string FormatMac(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 6) return {};
  char text[18];
  std::snprintf(text, sizeof text, "%02X %02X %02X %02X %02X %02X", bytes[0], bytes[1], bytes[2],
                bytes[3], bytes[4], bytes[5]);
  return text;
}

Ipv4Bytes Ipv4FromNumbers(const std::array<int, 4>& numbers) {
  Ipv4Bytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(numbers[i]);
  return bytes;
}

}  // namespace pscfg
