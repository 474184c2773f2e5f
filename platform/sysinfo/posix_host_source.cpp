#include "platform/sysinfo/posix_host_source.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace pscfg::sysinfo {
namespace {

Ipv4 AddressOf(const sockaddr* address) {
  Ipv4 bytes{};
  if (address == nullptr || address->sa_family != AF_INET) return bytes;
  sockaddr_in inet{};
  std::memcpy(&inet, address, sizeof inet);
  // s_addr is in network order: its bytes are the dotted numbers in order.
  std::memcpy(bytes.data(), &inet.sin_addr.s_addr, bytes.size());
  return bytes;
}

}  // namespace

std::string PosixHostSource::HostName() const {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::vector<HostInterface> PosixHostSource::Interfaces() const {
  std::vector<HostInterface> interfaces;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return interfaces;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_UP) == 0 || entry->ifa_name == nullptr) continue;
    HostInterface host_interface;
    host_interface.name = entry->ifa_name;
    host_interface.address = AddressOf(entry->ifa_addr);
    host_interface.netmask = AddressOf(entry->ifa_netmask);
    host_interface.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
    interfaces.push_back(std::move(host_interface));
  }
  ::freeifaddrs(list);
  return interfaces;
}

int PosixHostSource::ResolveName(const std::string& name, std::vector<Ipv4>* addresses) const {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;  // one entry per address, not one per socket type
  addrinfo* results = nullptr;
  const int status = ::getaddrinfo(name.c_str(), nullptr, &hints, &results);
  if (status != 0) {
    switch (status) {
      case EAI_AGAIN:
        return kWsaTryAgain;
      case EAI_NONAME:
#ifdef EAI_NODATA
      case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
      case EAI_ADDRFAMILY:
#endif
        return kWsaHostNotFound;
      default:
        return kWsaNoRecovery;
    }
  }
  addresses->clear();
  for (const addrinfo* entry = results; entry != nullptr; entry = entry->ai_next) {
    const Ipv4 address = AddressOf(entry->ai_addr);
    if (std::find(addresses->begin(), addresses->end(), address) == addresses->end()) {
      addresses->push_back(address);
    }
  }
  ::freeaddrinfo(results);
  return addresses->empty() ? kWsaNoData : 0;
}

}  // namespace pscfg::sysinfo
