// Discovery over UDP: three passes of a broadcast search, collecting the
// 76-byte replies of every print server that hears it.

#include <array>

#include "protocol/packet_io.h"
#include "protocol/server_manager.h"
#include "udp/udp_transport.h"

namespace pscfg {

namespace {

constexpr int kPasses = 3;
constexpr int kSendsPerPass = 2;
constexpr int kSendAttempts = 20;
constexpr int kReceiveBudget = 20;  // datagrams in a row that do not complete a reply
constexpr std::size_t kReplySize = SearchFrameSize(Variant::kDornel);  // 76

constexpr SetupNames kXGetPortSetup{"XGetPort-socket", "XGetPort-ioctlsocket",
                                    "XGetPort-setsockopt", "XGetPort-bind"};

std::array<std::uint8_t, RecordOffset(Variant::kDornel)> DiscoveryRequest() {
  std::array<std::uint8_t, RecordOffset(Variant::kDornel)> request{};
  ByteWriter(request).Bytes(kAllNodes).Bytes(RequestHeader(Command::kSearch));
  return request;
}

}  // namespace

bool CPServerManager::XGetPort() {
  ClearServers();
  const FailureReporter report = failure_reporter();
  const net::Socket s =
      OpenSocketWithSteps(transport_.api(), net::kAfInet, net::kIpprotoUdp, kXGetPortSetup,
                          net::kSoBroadcast, UdpTransport::AnyLocal(), report);
  if (s == net::kInvalidSocket) return false;
  bool closed = false;
  XGetAllPServername(s, &closed);
  if (!closed) transport_.api().closesocket(s);
  NoteAddresses(eeprom_frame());
  DropUnaccepted();
  return true;
}

bool CPServerManager::XGetAllPServername(net::Socket s, bool* socket_closed) {
  if (socket_closed != nullptr) *socket_closed = false;
  net::SocketApi& api = transport_.api();
  const FailureReporter report = failure_reporter();
  const auto request = DiscoveryRequest();
  const net::SocketAddress destination = UdpTransport::BroadcastTo(kUdpDevicePort);

  for (int pass = 0; pass < kPasses; ++pass) {
    for (int send = 0; send < kSendsPerPass; ++send) {
      for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
        int sent = 0;
        if (!XSendPacket(api, report, s, request, destination, true, &sent)) {
          if (socket_closed != nullptr) *socket_closed = true;
          return true;
        }
        if (static_cast<std::size_t>(sent) == request.size()) break;
      }
    }

    std::array<std::uint8_t, kReplySize> reply{};
    std::size_t filled = 0;
    int budget = kReceiveBudget;
    while (budget > 0) {
      const int ready = api.select(s, net::SelectSet::kRead, net::TimeVal{pass, 0});
      if (ready == net::kSocketError) {
        report.SocketFailure("XGetAllPServername-select", api.WSAGetLastError());
        return true;
      }
      if (ready == 0) break;
      net::SocketAddress sender;
      const int received = api.recvfrom(s, std::span(reply).subspan(filled), &sender);
      if (received == net::kSocketError) {
        report.SocketFailure("XGetAllPServername-recvfrom", api.WSAGetLastError());
        --budget;
        continue;
      }
      filled += static_cast<std::size_t>(received);
      if (filled < kReplySize) {
        --budget;
        continue;
      }
      NodeAddress node;
      std::copy_n(reply.begin(), node.size(), node.begin());
      AddServer(std::span(reply).subspan(RecordOffset(Variant::kDornel)), sender, node);
      if (server_count() >= kMaxServers) return true;
      filled = 0;
      budget = kReceiveBudget;
    }
  }
  return true;
}

}  // namespace pscfg
