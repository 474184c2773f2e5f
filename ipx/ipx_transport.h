#pragma once
// The device protocol over IPX: requests go to the print server's own
// 14-byte IPX address, and the header is the first byte of every frame.

#include "protocol/device_transport.h"

namespace pscfg {

class IpxTransport : public DeviceTransport {
 public:
  explicit IpxTransport(net::SocketApi& api) : api_(api) {}

  Variant variant() const override { return Variant::kHalvex; }
  net::SocketApi& api() override { return api_; }
  net::Socket OpenOperationSocket(const SetupNames& names, const FailureReporter& report) override;
  net::SocketAddress Destination(const PServerEntry& target) const override;
  void WritePrefix(const PServerEntry&, ByteWriter&) const override {}
  bool ClosesSocketOnSendFailure() const override { return false; }

  // Any network, any node, a socket number chosen by the system.
  static net::SocketAddress AnyLocal();

 private:
  net::SocketApi& api_;
};

}  // namespace pscfg
