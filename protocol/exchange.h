#pragma once
// One request/reply exchange with a print server, run by its ExchangeRule.

#include <cstdint>
#include <span>

#include "protocol/device_transport.h"
#include "protocol/exchange_rules.h"

namespace pscfg {

class Exchange {
 public:
  Exchange(DeviceTransport& transport, const FailureReporter& report)
      : transport_(transport), report_(report) {}

  // Opens the operation's socket, sends `request`, collects the reply into
  // `reply` from its first byte, closes the socket and applies the header
  // test. `request` and `reply` may be the same buffer (the write).
  bool Run(const ExchangeRule& rule, const PServerEntry& target,
           std::span<const std::uint8_t> request, std::span<std::uint8_t> reply);

  // The same on a socket the caller opened (XEnterUpgradeMode). The socket
  // stays open on success; *socket_closed tells whether it was closed.
  bool RunOnSocket(const ExchangeRule& rule, net::Socket s, const PServerEntry& target,
                   std::span<const std::uint8_t> request, std::span<std::uint8_t> reply,
                   bool* socket_closed);

 private:
  // kSendFailed: a send error ended the operation; the socket is still open.
  enum class Outcome { kReply, kNoReply, kSocketClosed, kSendFailed };

  Outcome Combined(const ExchangeRule& rule, net::Socket s, const net::SocketAddress& to,
                   std::span<const std::uint8_t> request, std::span<std::uint8_t> reply);
  Outcome Phases(const ExchangeRule& rule, net::Socket s, const net::SocketAddress& to,
                 std::span<const std::uint8_t> request, std::span<std::uint8_t> reply);
  Outcome SendPhase(const ExchangeRule& rule, net::Socket s, const net::SocketAddress& to,
                    std::span<const std::uint8_t> request);
  Outcome ReceivePhase(const ExchangeRule& rule, net::Socket s, std::span<std::uint8_t> reply);
  bool HeaderMatches(const ExchangeRule& rule, std::span<const std::uint8_t> reply) const;

  DeviceTransport& transport_;
  const FailureReporter& report_;
};

}  // namespace pscfg
