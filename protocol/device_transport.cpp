#include "protocol/device_transport.h"

namespace pscfg {

net::Socket OpenSocketWithSteps(net::SocketApi& api, int family, int protocol,
                                const SetupNames& names, int option,
                                const net::SocketAddress& bind_address,
                                const FailureReporter& report) {
  const net::Socket s = api.socket(family, net::kSockDgram, protocol);
  if (s == net::kInvalidSocket) {
    report.SocketFailure(names.socket, api.WSAGetLastError());
    return net::kInvalidSocket;
  }
  const auto fail = [&](std::string_view step) {
    report.SocketFailure(step, api.WSAGetLastError());
    api.closesocket(s);
    return net::kInvalidSocket;
  };
  unsigned long nonblocking = 1;
  if (api.ioctlsocket(s, net::kFionbio, &nonblocking) == net::kSocketError) {
    return fail(names.nonblocking);
  }
  if (!names.option.empty() && api.setsockopt(s, net::kSolSocket, option, 1) == net::kSocketError) {
    return fail(names.option);
  }
  if (!names.bind.empty() && api.bind(s, bind_address) == net::kSocketError) {
    return fail(names.bind);
  }
  return s;
}

}  // namespace pscfg
