#include "protocol/packet_io.h"

namespace pscfg {

bool XSendPacket(net::SocketApi& api, const FailureReporter& report, net::Socket s,
                 std::span<const std::uint8_t> data, const net::SocketAddress& to,
                 bool close_on_failure, int* sent) {
  *sent = 0;
  const int ready = api.select(s, net::SelectSet::kWrite, kSendWait);
  if (ready == net::kSocketError) {
    report.SocketFailure("XSendPacket-select", api.WSAGetLastError());
    if (close_on_failure) api.closesocket(s);
    return false;
  }
  if (ready == 0) return true;
  const int result = api.sendto(s, data, to);
  if (result == net::kSocketError) {
    const int error = api.WSAGetLastError();
    if (error == net::kWsaeWouldBlock) return true;
    report.SocketFailure("XSendPacket-send", error);
    if (close_on_failure) api.closesocket(s);
    return false;
  }
  *sent = result;
  return true;
}

bool XReceivePacket(net::SocketApi& api, const FailureReporter& report, net::Socket s,
                    std::span<std::uint8_t> buffer, int* received, net::SocketAddress* from) {
  *received = 0;
  const int ready = api.select(s, net::SelectSet::kRead, kReceiveWait);
  if (ready == net::kSocketError) {
    report.SocketFailure("XReceivePacket-select", api.WSAGetLastError());
    api.closesocket(s);
    return false;
  }
  if (ready == 0) return true;
  const int result = from != nullptr ? api.recvfrom(s, buffer, from) : api.recv(s, buffer);
  if (result == net::kSocketError) {
    report.SocketFailure("XReceivePacket-recv", api.WSAGetLastError());
    api.closesocket(s);
    return false;
  }
  *received = result;
  return true;
}

}  // namespace pscfg
