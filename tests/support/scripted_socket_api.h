#pragma once
// A SocketApi whose network is a script: tests queue what the "device"
// answers and which calls fail, then read back every datagram sent, every
// wait and every socket opened and closed.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/socket_api.h"

namespace pscfg::testing {

using Bytes = std::vector<std::uint8_t>;

struct SentDatagram {
  net::Socket socket;
  Bytes data;
  net::SocketAddress to;
};

// One thing a receive attempt finds.
struct Incoming {
  enum class Kind { kDatagram, kSilence, kSelectError, kRecvError };
  Kind kind = Kind::kSilence;
  Bytes data;
  net::SocketAddress from;
  int error = 0;

  static Incoming Datagram(Bytes bytes, net::SocketAddress sender = {}) {
    return {Kind::kDatagram, std::move(bytes), sender, 0};
  }
  static Incoming Silence() { return {}; }
  static Incoming SelectError(int code) { return {Kind::kSelectError, {}, {}, code}; }
  static Incoming RecvError(int code) { return {Kind::kRecvError, {}, {}, code}; }
};

// What one send attempt does.
struct SendOutcome {
  enum class Kind { kSend, kNotWritable, kWouldBlock, kSelectError, kSendError };
  Kind kind = Kind::kSend;
  int error = 0;
};

class ScriptedSocketApi : public net::SocketApi {
 public:
  // Set-up failures: the named call fails with `code` (once per listed call).
  enum class Call { kSocket, kIoctl, kSetsockopt, kBind };
  void FailNext(Call call, int code) { failures_[call].push_back(code); }

  // Queued receive events; when the queue is empty every wait times out.
  void Queue(Incoming incoming) { incoming_.push_back(std::move(incoming)); }
  void QueueDatagram(Bytes bytes, net::SocketAddress sender = {}) {
    Queue(Incoming::Datagram(std::move(bytes), sender));
  }
  // Replies that reach one socket only; they vanish when it is closed.
  void QueueFor(net::Socket s, Incoming incoming) { per_socket_[s].push_back(std::move(incoming)); }
  void QueueSilence(int count) {
    for (int i = 0; i < count; ++i) Queue(Incoming::Silence());
  }
  // Queued send outcomes; when the queue is empty a send goes out whole.
  void QueueSend(SendOutcome outcome) { send_outcomes_.push_back(outcome); }
  // Called for every datagram that goes out; may queue replies.
  std::function<void(const SentDatagram&)> on_send;

  // What happened.
  const std::vector<SentDatagram>& sent() const { return sent_; }
  int receive_waits() const { return receive_waits_; }
  int send_waits() const { return send_waits_; }
  int opened() const { return opened_; }
  int closed() const { return closed_; }
  int double_closes() const { return double_closes_; }
  int open_sockets() const { return static_cast<int>(open_.size()); }
  const std::vector<std::pair<int, int>>& options_set() const { return options_; }
  const std::vector<net::SocketAddress>& binds() const { return binds_; }
  const std::vector<int>& families() const { return families_; }
  // Receive capacities asked for, in order.
  const std::vector<std::size_t>& receive_capacities() const { return capacities_; }

  net::Socket socket(int address_family, int type, int protocol) override;
  int ioctlsocket(net::Socket s, long command, unsigned long* argument) override;
  int setsockopt(net::Socket s, int level, int option, int value) override;
  int bind(net::Socket s, const net::SocketAddress& address) override;
  int select(net::Socket s, net::SelectSet set, const net::TimeVal& timeout) override;
  int sendto(net::Socket s, std::span<const std::uint8_t> data,
             const net::SocketAddress& to) override;
  int recvfrom(net::Socket s, std::span<std::uint8_t> buffer, net::SocketAddress* from) override;
  int closesocket(net::Socket s) override;
  int WSAGetLastError() const override { return last_error_; }

 private:
  bool TakeFailure(Call call);
  int Fail(int code) {
    last_error_ = code;
    return net::kSocketError;
  }

  std::map<Call, std::deque<int>> failures_;
  std::deque<Incoming>& QueueOf(net::Socket s);

  std::deque<Incoming> incoming_;
  std::map<net::Socket, std::deque<Incoming>> per_socket_;
  std::deque<SendOutcome> send_outcomes_;
  std::optional<SendOutcome> pending_send_;
  std::vector<SentDatagram> sent_;
  std::vector<std::pair<int, int>> options_;
  std::vector<net::SocketAddress> binds_;
  std::vector<int> families_;
  std::vector<std::size_t> capacities_;
  std::map<net::Socket, bool> open_;
  int next_socket_ = 100;
  int last_error_ = 0;
  int receive_waits_ = 0;
  int send_waits_ = 0;
  int opened_ = 0;
  int closed_ = 0;
  int double_closes_ = 0;
};

// Builds "XX XX ..." of bytes for failure messages.
std::string Hex(const Bytes& bytes);

}  // namespace pscfg::testing
