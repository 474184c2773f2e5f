#include "protocol/exchange.h"

#include <algorithm>

#include "protocol/packet_io.h"

namespace pscfg {

namespace {

// Receives into `buffer` with the sender's address when the transport takes
// it (IPX), without otherwise; the address is not used either way.
bool ReceiveOne(DeviceTransport& transport, const FailureReporter& report, net::Socket s,
                std::span<std::uint8_t> buffer, int* received) {
  net::SocketAddress ignored;
  const bool takes_sender = transport.variant() == Variant::kHalvex;
  return XReceivePacket(transport.api(), report, s, buffer, received,
                        takes_sender ? &ignored : nullptr);
}

bool SingleDatagramAccepted(const ExchangeRule& rule, std::size_t length) {
  switch (rule.reply) {
    case ReplyRule::kSingleExact:
      return length == rule.reply_size;
    case ReplyRule::kSingleAtLeast:
      return length >= rule.reply_minimum;
    case ReplyRule::kSingleOneOf:
      return length == rule.reply_size || length == rule.reply_minimum;
    default:
      return false;
  }
}

}  // namespace

bool Exchange::Run(const ExchangeRule& rule, const PServerEntry& target,
                   std::span<const std::uint8_t> request, std::span<std::uint8_t> reply) {
  const net::Socket s = transport_.OpenOperationSocket(rule.setup, report_);
  if (s == net::kInvalidSocket) return false;
  bool closed = false;
  const bool ok = RunOnSocket(rule, s, target, request, reply, &closed);
  if (!closed) transport_.api().closesocket(s);
  return ok;
}

bool Exchange::RunOnSocket(const ExchangeRule& rule, net::Socket s, const PServerEntry& target,
                           std::span<const std::uint8_t> request, std::span<std::uint8_t> reply,
                           bool* socket_closed) {
  *socket_closed = false;
  if (reply.size() < rule.reply_size) return false;  // a caller's buffer too small for the reply
  const net::SocketAddress to = transport_.Destination(target);
  const Outcome outcome = rule.pattern == AttemptPattern::kCombined
                              ? Combined(rule, s, to, request, reply)
                              : Phases(rule, s, to, request, reply);
  switch (outcome) {
    case Outcome::kReply:
      return HeaderMatches(rule, reply);
    case Outcome::kSocketClosed:
      *socket_closed = true;
      return false;
    case Outcome::kSendFailed:
      transport_.api().closesocket(s);
      *socket_closed = true;
      return false;
    case Outcome::kNoReply:
      return false;
  }
  return false;
}

Exchange::Outcome Exchange::Combined(const ExchangeRule& rule, net::Socket s,
                                     const net::SocketAddress& to,
                                     std::span<const std::uint8_t> request,
                                     std::span<std::uint8_t> reply) {
  const std::size_t capacity = rule.receive_capacity != 0 ? rule.receive_capacity : rule.reply_size;
  for (int attempt = 0; attempt < rule.send_attempts; ++attempt) {
    int sent = 0;
    const bool send_ok = XSendPacket(transport_.api(), report_, s, request, to,
                                     transport_.ClosesSocketOnSendFailure(), &sent);
    if (!send_ok && transport_.ClosesSocketOnSendFailure()) return Outcome::kSocketClosed;
    if (!send_ok && rule.send_error == SendErrorRule::kEndsOperation) return Outcome::kSendFailed;
    const bool receive = send_ok ? static_cast<std::size_t>(sent) == request.size()
                                 : rule.send_error == SendErrorRule::kStillReceives;
    if (!receive) continue;
    int received = 0;
    if (!ReceiveOne(transport_, report_, s, reply.first(capacity), &received)) {
      return Outcome::kSocketClosed;
    }
    if (SingleDatagramAccepted(rule, static_cast<std::size_t>(received))) return Outcome::kReply;
  }
  return Outcome::kNoReply;
}

Exchange::Outcome Exchange::Phases(const ExchangeRule& rule, net::Socket s,
                                   const net::SocketAddress& to,
                                   std::span<const std::uint8_t> request,
                                   std::span<std::uint8_t> reply) {
  const Outcome sent = SendPhase(rule, s, to, request);
  if (sent != Outcome::kReply) return sent;
  return ReceivePhase(rule, s, reply);
}

Exchange::Outcome Exchange::SendPhase(const ExchangeRule& rule, net::Socket s,
                                      const net::SocketAddress& to,
                                      std::span<const std::uint8_t> request) {
  std::size_t position = 0;
  for (int attempt = 0; attempt < rule.send_attempts; ++attempt) {
    int sent = 0;
    const bool send_ok = XSendPacket(transport_.api(), report_, s, request.subspan(position), to,
                                     transport_.ClosesSocketOnSendFailure(), &sent);
    if (!send_ok) {
      if (transport_.ClosesSocketOnSendFailure()) return Outcome::kSocketClosed;
      if (rule.send_error == SendErrorRule::kFailsAttempt) continue;
      return Outcome::kSendFailed;
    }
    position = std::min(request.size(), position + static_cast<std::size_t>(std::max(sent, 0)));
    if (position == request.size()) return Outcome::kReply;
  }
  return Outcome::kNoReply;
}

Exchange::Outcome Exchange::ReceivePhase(const ExchangeRule& rule, net::Socket s,
                                         std::span<std::uint8_t> reply) {
  std::size_t total = 0;
  for (int attempt = 0; attempt < rule.receive_attempts; ++attempt) {
    int received = 0;
    if (rule.reply == ReplyRule::kSingleExact) {
      // One datagram of exactly the reply's size; nothing is appended.
      if (!ReceiveOne(transport_, report_, s, reply.first(rule.reply_size), &received)) {
        return Outcome::kSocketClosed;
      }
      if (static_cast<std::size_t>(received) == rule.reply_size) return Outcome::kReply;
      continue;
    }
    const std::size_t missing = rule.reply_size - total;
    if (!ReceiveOne(transport_, report_, s, reply.subspan(total, missing), &received)) {
      return Outcome::kSocketClosed;
    }
    const bool first_datagram = total == 0;
    total += static_cast<std::size_t>(received);
    if (total == rule.reply_size) return Outcome::kReply;
    if (rule.reply == ReplyRule::kExactOrShort && first_datagram && total == rule.reply_minimum) {
      return Outcome::kReply;
    }
    if (rule.reply == ReplyRule::kExceedsMinimum && total > rule.reply_minimum) {
      return Outcome::kReply;
    }
  }
  return Outcome::kNoReply;
}

bool Exchange::HeaderMatches(const ExchangeRule& rule, std::span<const std::uint8_t> reply) const {
  return IsReplyTo(rule.command, reply.subspan(FramePrefixSize(transport_.variant())));
}

}  // namespace pscfg
