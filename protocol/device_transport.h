#pragma once
// What the exchange needs from a transport: the socket of one operation,
// where requests go, and the frame prefix.

#include "platform/net/socket_api.h"
#include "protocol/byte_io.h"
#include "protocol/exchange_rules.h"
#include "protocol/pserver_entry.h"
#include "protocol/reporter.h"

namespace pscfg {

class DeviceTransport {
 public:
  virtual ~DeviceTransport() = default;

  virtual Variant variant() const = 0;
  virtual net::SocketApi& api() = 0;

  // Creates the socket of one operation and runs the set-up steps that
  // `names` lists (socket, non-blocking, the transport's option, bind). A
  // failing step is reported with its name; the socket is then closed and
  // kInvalidSocket returned.
  virtual net::Socket OpenOperationSocket(const SetupNames& names,
                                          const FailureReporter& report) = 0;

  // Where a request to `target` goes.
  virtual net::SocketAddress Destination(const PServerEntry& target) const = 0;

  // Writes the bytes that precede the header in a request to `target`.
  virtual void WritePrefix(const PServerEntry& target, ByteWriter& out) const = 0;

  // Dornel's XSendPacket closes the socket after a failure; Halvex's leaves it open.
  virtual bool ClosesSocketOnSendFailure() const = 0;
};

// Runs the set-up steps over a SocketApi: the shared part of both transports.
net::Socket OpenSocketWithSteps(net::SocketApi& api, int family, int protocol,
                                const SetupNames& names, int option,
                                const net::SocketAddress& bind_address,
                                const FailureReporter& report);

}  // namespace pscfg
