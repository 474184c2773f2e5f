#pragma once
// A socket address as the programs store it: the bytes of a Windows
// sockaddr, so that a server-table entry can keep it as it came.
//
//   IPv4 (16 bytes)                       IPX (14 bytes)
//   0  u16 family = 2 (little-endian)     0  u16 family = 6 (little-endian)
//   2  u16 port (network order)           2  network number (4)
//   4  address (4, first dotted first)    6  node number (6)
//   8  zero (8)                           12 u16 socket (network order)

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pscfg::net {

inline constexpr std::size_t kSockAddrInSize = 16;
inline constexpr std::size_t kSockAddrIpxSize = 14;

using Ipv4 = std::array<std::uint8_t, 4>;
using IpxNetwork = std::array<std::uint8_t, 4>;
using IpxNode = std::array<std::uint8_t, 6>;

inline constexpr Ipv4 kLimitedBroadcast = {255, 255, 255, 255};
inline constexpr Ipv4 kAnyAddress = {0, 0, 0, 0};

class SocketAddress {
 public:
  SocketAddress() = default;

  static SocketAddress Inet(const Ipv4& address, std::uint16_t port) {
    SocketAddress a;
    a.length_ = kSockAddrInSize;
    a.bytes_[0] = 2;
    a.bytes_[2] = static_cast<std::uint8_t>(port >> 8);
    a.bytes_[3] = static_cast<std::uint8_t>(port & 0xFF);
    std::copy(address.begin(), address.end(), a.bytes_.begin() + 4);
    return a;
  }

  static SocketAddress Ipx(const IpxNetwork& network, const IpxNode& node, std::uint16_t socket) {
    SocketAddress a;
    a.length_ = kSockAddrIpxSize;
    a.bytes_[0] = 6;
    std::copy(network.begin(), network.end(), a.bytes_.begin() + 2);
    std::copy(node.begin(), node.end(), a.bytes_.begin() + 6);
    a.bytes_[12] = static_cast<std::uint8_t>(socket >> 8);
    a.bytes_[13] = static_cast<std::uint8_t>(socket & 0xFF);
    return a;
  }

  // The stored bytes of a sockaddr; the family is taken from its first two.
  static SocketAddress FromBytes(std::span<const std::uint8_t> raw) {
    SocketAddress a;
    a.length_ = std::min(raw.size(), a.bytes_.size());
    std::copy_n(raw.begin(), a.length_, a.bytes_.begin());
    return a;
  }

  int family() const { return length_ < 2 ? 0 : bytes_[0] | (bytes_[1] << 8); }
  std::span<const std::uint8_t> bytes() const { return {bytes_.data(), length_}; }
  std::size_t size() const { return length_; }

  // IPv4 view (family 2).
  std::uint16_t port() const { return static_cast<std::uint16_t>((bytes_[2] << 8) | bytes_[3]); }
  Ipv4 ipv4() const { return {bytes_[4], bytes_[5], bytes_[6], bytes_[7]}; }

  // IPX view (family 6).
  IpxNetwork ipx_network() const { return {bytes_[2], bytes_[3], bytes_[4], bytes_[5]}; }
  IpxNode ipx_node() const {
    return {bytes_[6], bytes_[7], bytes_[8], bytes_[9], bytes_[10], bytes_[11]};
  }
  std::uint16_t ipx_socket() const {
    return static_cast<std::uint16_t>((bytes_[12] << 8) | bytes_[13]);
  }

  bool operator==(const SocketAddress&) const = default;

 private:
  std::array<std::uint8_t, kSockAddrInSize> bytes_{};
  std::size_t length_ = 0;
};

}  // namespace pscfg::net
