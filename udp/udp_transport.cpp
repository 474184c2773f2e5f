#include "udp/udp_transport.h"

namespace pscfg {

net::SocketAddress UdpTransport::BroadcastTo(std::uint16_t port) {
  return net::SocketAddress::Inet(net::kLimitedBroadcast, port);
}

net::SocketAddress UdpTransport::AnyLocal() {
  return net::SocketAddress::Inet(net::kAnyAddress, 0);
}

net::Socket UdpTransport::OpenOperationSocket(const SetupNames& names,
                                              const FailureReporter& report) {
  return OpenSocketWithSteps(api_, net::kAfInet, net::kIpprotoUdp, names, net::kSoBroadcast,
                             AnyLocal(), report);
}

net::SocketAddress UdpTransport::Destination(const PServerEntry&) const {
  return BroadcastTo(kUdpDevicePort);
}

void UdpTransport::WritePrefix(const PServerEntry& target, ByteWriter& out) const {
  out.Bytes(target.node_address);
}

}  // namespace pscfg
