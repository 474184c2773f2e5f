#include "tests/support/scripted_socket_api.h"

#include <algorithm>
#include <cstdio>

namespace pscfg::testing {

bool ScriptedSocketApi::TakeFailure(Call call) {
  auto& queue = failures_[call];
  if (queue.empty()) return false;
  last_error_ = queue.front();
  queue.pop_front();
  return true;
}

net::Socket ScriptedSocketApi::socket(int address_family, int, int) {
  families_.push_back(address_family);
  if (TakeFailure(Call::kSocket)) return net::kInvalidSocket;
  const net::Socket s = next_socket_++;
  open_[s] = true;
  ++opened_;
  return s;
}

int ScriptedSocketApi::ioctlsocket(net::Socket, long command, unsigned long* argument) {
  if (TakeFailure(Call::kIoctl)) return net::kSocketError;
  if (command != net::kFionbio || argument == nullptr || *argument != 1)
    return Fail(net::kWsaeInval);
  return 0;
}

int ScriptedSocketApi::setsockopt(net::Socket, int, int option, int value) {
  if (TakeFailure(Call::kSetsockopt)) return net::kSocketError;
  options_.emplace_back(option, value);
  return 0;
}

int ScriptedSocketApi::bind(net::Socket, const net::SocketAddress& address) {
  if (TakeFailure(Call::kBind)) return net::kSocketError;
  binds_.push_back(address);
  return 0;
}

std::deque<Incoming>& ScriptedSocketApi::QueueOf(net::Socket s) {
  auto own = per_socket_.find(s);
  if (own != per_socket_.end() && !own->second.empty()) return own->second;
  return incoming_;
}

int ScriptedSocketApi::select(net::Socket s, net::SelectSet set, const net::TimeVal&) {
  if (open_.count(s) == 0 || !open_[s]) return Fail(net::kWsaeNotSock);
  if (set == net::SelectSet::kWrite) {
    ++send_waits_;
    SendOutcome outcome;
    if (!send_outcomes_.empty()) {
      outcome = send_outcomes_.front();
      send_outcomes_.pop_front();
    }
    if (outcome.kind == SendOutcome::Kind::kNotWritable) return 0;
    if (outcome.kind == SendOutcome::Kind::kSelectError) return Fail(outcome.error);
    pending_send_ = outcome;
    return 1;
  }
  ++receive_waits_;
  std::deque<Incoming>& queue = QueueOf(s);
  if (queue.empty()) return 0;
  const Incoming& next = queue.front();
  switch (next.kind) {
    case Incoming::Kind::kSilence:
      queue.pop_front();
      return 0;
    case Incoming::Kind::kSelectError: {
      const int code = next.error;
      queue.pop_front();
      return Fail(code);
    }
    default:
      return 1;
  }
}

int ScriptedSocketApi::sendto(net::Socket s, std::span<const std::uint8_t> data,
                              const net::SocketAddress& to) {
  const SendOutcome outcome = pending_send_.value_or(SendOutcome{});
  pending_send_.reset();
  if (outcome.kind == SendOutcome::Kind::kWouldBlock) return Fail(net::kWsaeWouldBlock);
  if (outcome.kind == SendOutcome::Kind::kSendError) return Fail(outcome.error);
  SentDatagram datagram{s, Bytes(data.begin(), data.end()), to};
  sent_.push_back(datagram);
  if (on_send) on_send(datagram);
  return static_cast<int>(data.size());
}

int ScriptedSocketApi::recvfrom(net::Socket s, std::span<std::uint8_t> buffer,
                                net::SocketAddress* from) {
  capacities_.push_back(buffer.size());
  std::deque<Incoming>& queue = QueueOf(s);
  if (queue.empty()) return Fail(net::kWsaeWouldBlock);
  Incoming next = std::move(queue.front());
  queue.pop_front();
  if (next.kind == Incoming::Kind::kRecvError) return Fail(next.error);
  if (next.kind != Incoming::Kind::kDatagram) return Fail(net::kWsaeWouldBlock);
  const std::size_t stored = std::min(buffer.size(), next.data.size());
  std::copy_n(next.data.begin(), stored, buffer.begin());
  if (from != nullptr) *from = next.from;
  if (next.data.size() > buffer.size()) return Fail(net::kWsaeMsgSize);
  return static_cast<int>(stored);
}

int ScriptedSocketApi::closesocket(net::Socket s) {
  auto it = open_.find(s);
  if (it == open_.end() || !it->second) {
    ++double_closes_;
    return Fail(net::kWsaeNotSock);
  }
  open_.erase(it);
  per_socket_.erase(s);
  ++closed_;
  return 0;
}

std::string Hex(const Bytes& bytes) {
  std::string text;
  char part[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(part, sizeof part, "%02X ", b);
    text += part;
  }
  return text;
}

}  // namespace pscfg::testing
