#pragma once
// SocketApi over POSIX datagram sockets.
//
// Sends to 255.255.255.255 go to the IPv4 address in PSCFG_BROADCAST when
// that variable is set, so tests and demos keep every datagram on a
// loopback address. A PSCFG_BROADCAST that is not a dotted IPv4 address
// makes such sends fail with WSAEADDRNOTAVAIL rather than fall back to the
// real broadcast.
//
// IPX sockets (family 6) are not provided by this host: socket() fails with
// WSAEAFNOSUPPORT.

#include <optional>

#include "platform/net/socket_api.h"

namespace pscfg::net {

class PosixSocketApi : public SocketApi {
 public:
  Socket socket(int address_family, int type, int protocol) override;
  int ioctlsocket(Socket s, long command, unsigned long* argument) override;
  int setsockopt(Socket s, int level, int option, int value) override;
  int bind(Socket s, const SocketAddress& address) override;
  int select(Socket s, SelectSet set, const TimeVal& timeout) override;
  int sendto(Socket s, std::span<const std::uint8_t> data, const SocketAddress& to) override;
  int recvfrom(Socket s, std::span<std::uint8_t> buffer, SocketAddress* from) override;
  int closesocket(Socket s) override;
  int WSAGetLastError() const override { return last_error_; }

 private:
  int Fail(int wsa_error);
  int FailFromErrno();

  int last_error_ = 0;
};

// The address that replaces 255.255.255.255: nullopt when PSCFG_BROADCAST is
// unset; an empty optional inside when it is set but not an IPv4 address.
struct BroadcastRedirect {
  bool set = false;
  std::optional<Ipv4> address;
};
BroadcastRedirect ReadBroadcastRedirect();

// Winsock error number for a POSIX errno.
int WsaErrorFromErrno(int error);

}  // namespace pscfg::net
