#include "platform/ui/repainting_socket_api.h"

#include <algorithm>
#include <utility>

#include "platform/ui/busy_repaint.h"

namespace pscfg::ui {

RepaintingSocketApi::RepaintingSocketApi(net::SocketApi& inner, std::function<void()> repaint,
                                         long slice_microseconds)
    : inner_(inner),
      repaint_(repaint ? std::move(repaint) : std::function<void()>(RepaintWhileBusy)),
      slice_microseconds_(std::max(1L, slice_microseconds)) {}

net::Socket RepaintingSocketApi::socket(int address_family, int type, int protocol) {
  return inner_.socket(address_family, type, protocol);
}

int RepaintingSocketApi::ioctlsocket(net::Socket s, long command, unsigned long* argument) {
  return inner_.ioctlsocket(s, command, argument);
}

int RepaintingSocketApi::setsockopt(net::Socket s, int level, int option, int value) {
  return inner_.setsockopt(s, level, option, value);
}

int RepaintingSocketApi::bind(net::Socket s, const net::SocketAddress& address) {
  return inner_.bind(s, address);
}

int RepaintingSocketApi::select(net::Socket s, net::SelectSet set, const net::TimeVal& timeout) {
  long long remaining = static_cast<long long>(timeout.seconds) * 1000000 + timeout.microseconds;
  if (remaining < 0) remaining = 0;
  for (;;) {
    repaint_();
    const long slice = static_cast<long>(std::min<long long>(remaining, slice_microseconds_));
    const int result = inner_.select(s, set, net::TimeVal{slice / 1000000, slice % 1000000});
    remaining -= slice;
    if (result != 0 || remaining <= 0) return result;
  }
}

int RepaintingSocketApi::sendto(net::Socket s, std::span<const std::uint8_t> data,
                                const net::SocketAddress& to) {
  return inner_.sendto(s, data, to);
}

int RepaintingSocketApi::recvfrom(net::Socket s, std::span<std::uint8_t> buffer,
                                  net::SocketAddress* from) {
  return inner_.recvfrom(s, buffer, from);
}

int RepaintingSocketApi::recv(net::Socket s, std::span<std::uint8_t> buffer) {
  return inner_.recv(s, buffer);
}

int RepaintingSocketApi::closesocket(net::Socket s) { return inner_.closesocket(s); }

int RepaintingSocketApi::WSAGetLastError() const { return inner_.WSAGetLastError(); }

}  // namespace pscfg::ui
