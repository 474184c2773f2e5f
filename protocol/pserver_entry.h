#pragma once
// One entry of the server table.
//
//   field         width  program  meaning
//   info          66     both     the PServerInfo of the search reply
//   ip_address    4      both     record bytes 498-501, noted at discovery
//   tcpip         1      both     record byte 489 bit 0x01, noted at discovery
//   accepted      1      Halvex   set by the bindery scan
//   ipx_address   14     Halvex   IPX socket address, target of every operation
//   udp_sender    16     Dornel   IPv4 socket address the discovery reply came from
//   node_address  6      Dornel   prefix of the discovery reply and of every request

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/net/socket_address.h"
#include "protocol/record_fields.h"
#include "protocol/wire.h"

namespace pscfg {

using PServerInfo = std::array<std::uint8_t, kPServerInfoSize>;

struct PServerEntry {
  PServerInfo info{};
  net::Ipv4 ip_address{};
  std::uint8_t tcpip = 0;
  std::uint8_t accepted = 0;
  std::array<std::uint8_t, kIpxAddressSize> ipx_address{};
  std::array<std::uint8_t, kInetAddressSize> udp_sender{};
  NodeAddress node_address{};

  // The alias bytes (CP950) up to the terminator, at most 48 of them.
  std::string Alias() const;
  std::uint8_t FirmwareComplete() const { return FieldByte(info::kFirmwareComplete, info); }
  std::uint8_t ModelSuffix() const { return FieldByte(info::kModelSuffix, info); }
  std::uint8_t Capabilities() const { return FieldByte(info::kCapabilities, info); }
  std::uint8_t Vendor() const { return FieldByte(info::kVendor, info); }
  std::uint8_t Type() const { return FieldByte(info::kType, info); }
};

}  // namespace pscfg
