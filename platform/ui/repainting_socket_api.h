#pragma once
// Socket calls that keep the windows drawn while a device exchange waits.
//
// Device operations block the user-interface thread in select for up to a
// second per attempt. Placed between the manager and the real sockets, this
// splits every select into slices of at most 50 ms and runs `repaint`
// (RepaintWhileBusy: paint events, user input held back) before each slice,
// so the wait cursor and an in-progress panel stay on the screen. A slice
// that finds the socket ready, or fails, ends the wait at once; otherwise the
// wait ends when the slices' time-outs add up to the time-out asked for.
// Every other call goes straight through.

#include <functional>

#include "platform/net/socket_api.h"

namespace pscfg::ui {

class RepaintingSocketApi : public net::SocketApi {
 public:
  static constexpr long kSliceMicroseconds = 50000;

  explicit RepaintingSocketApi(net::SocketApi& inner, std::function<void()> repaint = {},
                               long slice_microseconds = kSliceMicroseconds);

  net::Socket socket(int address_family, int type, int protocol) override;
  int ioctlsocket(net::Socket s, long command, unsigned long* argument) override;
  int setsockopt(net::Socket s, int level, int option, int value) override;
  int bind(net::Socket s, const net::SocketAddress& address) override;
  int select(net::Socket s, net::SelectSet set, const net::TimeVal& timeout) override;
  int sendto(net::Socket s, std::span<const std::uint8_t> data,
             const net::SocketAddress& to) override;
  int recvfrom(net::Socket s, std::span<std::uint8_t> buffer, net::SocketAddress* from) override;
  int recv(net::Socket s, std::span<std::uint8_t> buffer) override;
  int closesocket(net::Socket s) override;
  int WSAGetLastError() const override;

 private:
  net::SocketApi& inner_;
  std::function<void()> repaint_;  // RepaintWhileBusy unless a test gives another
  long slice_microseconds_;
};

}  // namespace pscfg::ui
