#pragma once
// The live, read-only part of the registry: this host's network cards as
// Windows NT lists them, built from the host's IPv4 interfaces.
//
// Each interface that is not loopback (Windows has no loopback card) and
// whose name can be a key name becomes one card, numbered "1", "2", ... in
// interface order, under both kNetworkCardsKeyNt4 and kNetworkCardKeyNt5
// (NT 4 and NT 5 read different ones): "ServiceName" and "Description" are
// the interface name. Its TCP/IP key (network_keys.h) holds "IPAddress" and
// "SubnetMask", REG_MULTI_SZ, one entry per address of the interface in the
// order the system lists them. An interface with several addresses is one
// card. Both card lists exist even when there is no card.

#include <vector>

#include "platform/registry/key_tree.h"
#include "platform/sysinfo/host_source.h"

namespace pscfg::registry {

KeyNode BuildNetworkCardView(const std::vector<sysinfo::HostInterface>& interfaces);

}  // namespace pscfg::registry
