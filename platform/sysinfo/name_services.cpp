#include "platform/sysinfo/name_services.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/net/socket_api.h"

namespace pscfg::sysinfo {
namespace {

thread_local int last_error = 0;
thread_local HostEnt host_entry;

constexpr Ipv4 kLoopbackAddress = {127, 0, 0, 1};

bool IsDigitInBase(char c, unsigned base) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0') < base;
  if (base != 16) return false;
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return static_cast<unsigned>(c - 'A' + 10);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The BSD reading of a dotted address, in host order (first number in the
// most significant byte); nothing when the text is no address.
std::optional<std::uint32_t> ParseDotted(std::string_view text) {
  std::uint32_t parts[4] = {};
  std::size_t count = 0;
  std::size_t pos = 0;
  for (;;) {
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return std::nullopt;
    unsigned base = 10;
    if (text[pos] == '0') {
      base = 8;
      ++pos;
      if (pos < text.size() && (text[pos] == 'x' || text[pos] == 'X')) {
        base = 16;
        ++pos;
      }
    }
    std::uint64_t value = 0;
    while (pos < text.size() && IsDigitInBase(text[pos], base)) {
      value = value * base + DigitValue(text[pos]);
      if (value > 0xFFFFFFFFu) return std::nullopt;
      ++pos;
    }
    // "08" is no octal number.
    if (pos < text.size() && base == 8 && (text[pos] == '8' || text[pos] == '9')) {
      return std::nullopt;
    }
    parts[count++] = static_cast<std::uint32_t>(value);
    if (pos < text.size() && text[pos] == '.') {
      if (count == 4) return std::nullopt;
      ++pos;
      continue;
    }
    break;
  }
  if (pos < text.size() && !IsBlank(text[pos])) return std::nullopt;

  // The last number fills every byte that no earlier number took.
  const std::uint32_t last = parts[count - 1];
  const std::uint32_t last_limit = count == 1 ? 0xFFFFFFFFu : (0xFFFFFFFFu >> (8 * (count - 1)));
  if (last > last_limit) return std::nullopt;
  std::uint32_t address = last;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (parts[i] > 0xFF) return std::nullopt;
    address |= parts[i] << (24 - 8 * i);
  }
  return address;
}

Ipv4 Ipv4FromHostOrder(std::uint32_t address) {
  return {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
          static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
}

void AddOnce(std::vector<InAddr>* list, const Ipv4& address) {
  const InAddr entry = ToInAddr(address);
  const bool known = std::any_of(list->begin(), list->end(),
                                 [&](const InAddr& other) { return other.s_addr == entry.s_addr; });
  if (!known) list->push_back(entry);
}

std::vector<InAddr> OwnAddresses(const std::vector<HostInterface>& interfaces) {
  std::vector<InAddr> addresses;
  for (const HostInterface& host_interface : interfaces) {
    if (!host_interface.loopback) AddOnce(&addresses, host_interface.address);
  }
  if (addresses.empty()) {
    for (const HostInterface& host_interface : interfaces) {
      if (host_interface.loopback) AddOnce(&addresses, host_interface.address);
    }
  }
  if (addresses.empty()) AddOnce(&addresses, kLoopbackAddress);
  return addresses;
}

const HostEnt* Fail(int error) {
  last_error = error;
  return nullptr;
}

}  // namespace

InAddr ToInAddr(const Ipv4& address) {
  InAddr result;
  std::memcpy(&result.s_addr, address.data(), address.size());
  return result;
}

Ipv4 ToIpv4(InAddr address) {
  Ipv4 result{};
  std::memcpy(result.data(), &address.s_addr, result.size());
  return result;
}

int gethostname(char* name, int name_length) {
  const std::string host_name = CurrentHostSource().HostName();
  if (name == nullptr || name_length < 0 ||
      static_cast<std::size_t>(name_length) < host_name.size() + 1) {
    last_error = net::kWsaeFault;
    return kSocketError;
  }
  std::memcpy(name, host_name.c_str(), host_name.size() + 1);
  return 0;
}

const HostEnt* gethostbyname(std::string_view name) {
  const HostSource& source = CurrentHostSource();
  HostEnt entry;
  entry.h_name = std::string(name);
  const std::string host_name = source.HostName();
  if (const auto dotted = ParseDotted(name)) {
    entry.h_addr_list.push_back(ToInAddr(Ipv4FromHostOrder(*dotted)));
  } else if (name.empty() || EqualsIgnoringCase(entry.h_name, host_name)) {
    entry.h_name = host_name;
    entry.h_addr_list = OwnAddresses(source.Interfaces());
  } else {
    std::vector<Ipv4> addresses;
    const int error = source.ResolveName(entry.h_name, &addresses);
    if (error != 0) return Fail(error);
    for (const Ipv4& address : addresses) AddOnce(&entry.h_addr_list, address);
  }
  host_entry = std::move(entry);
  return &host_entry;
}

std::string inet_ntoa(InAddr address) {
  const Ipv4 bytes = ToIpv4(address);
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

std::uint32_t inet_addr(std::string_view text) {
  if (text.empty()) return kInaddrAny;
  const auto address = ParseDotted(text);
  if (!address) return kInaddrNone;
  return ToInAddr(Ipv4FromHostOrder(*address)).s_addr;
}

int WSAGetLastError() { return last_error; }

}  // namespace pscfg::sysinfo
