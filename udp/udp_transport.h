#pragma once
// The device protocol over UDP: every request is a broadcast to
// 255.255.255.255 port 13364 and names its target by the 6-byte node
// address in front of the header.

#include "protocol/device_transport.h"

namespace pscfg {

class UdpTransport : public DeviceTransport {
 public:
  explicit UdpTransport(net::SocketApi& api) : api_(api) {}

  Variant variant() const override { return Variant::kDornel; }
  net::SocketApi& api() override { return api_; }
  net::Socket OpenOperationSocket(const SetupNames& names, const FailureReporter& report) override;
  net::SocketAddress Destination(const PServerEntry& target) const override;
  void WritePrefix(const PServerEntry& target, ByteWriter& out) const override;
  bool ClosesSocketOnSendFailure() const override { return true; }

  // The second send form's destination: the broadcast address on `port`.
  static net::SocketAddress BroadcastTo(std::uint16_t port);
  // The local address of the sockets that bind: any address, port 0.
  static net::SocketAddress AnyLocal();

 private:
  net::SocketApi& api_;
};

}  // namespace pscfg
