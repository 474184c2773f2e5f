#pragma once
// The host as the operating system describes it: gethostname(2),
// getifaddrs(3) (IPv4 addresses of interfaces that are up) and
// getaddrinfo(3) restricted to IPv4.

#include "platform/sysinfo/host_source.h"

namespace pscfg::sysinfo {

class PosixHostSource : public HostSource {
 public:
  std::string HostName() const override;
  std::vector<HostInterface> Interfaces() const override;
  int ResolveName(const std::string& name, std::vector<Ipv4>* addresses) const override;
};

}  // namespace pscfg::sysinfo
