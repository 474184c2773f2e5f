#include "ipx/ipx_transport.h"

namespace pscfg {

net::SocketAddress IpxTransport::AnyLocal() { return net::SocketAddress::Ipx({}, {}, 0); }

net::Socket IpxTransport::OpenOperationSocket(const SetupNames& names,
                                              const FailureReporter& report) {
  return OpenSocketWithSteps(api_, net::kAfIpx, net::kNsprotoIpx, names, net::kSoReuseAddr,
                             AnyLocal(), report);
}

net::SocketAddress IpxTransport::Destination(const PServerEntry& target) const {
  return net::SocketAddress::FromBytes(target.ipx_address);
}

}  // namespace pscfg
