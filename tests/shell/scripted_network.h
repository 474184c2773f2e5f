#pragma once
// Print servers that answer on a ScriptedSocketApi, for page tests that run
// without psemu: every request reaches each server it is addressed to (by
// node on UDP, by IPX address on IPX, every server for a broadcast search),
// and its reply is in the socket's next receive. Instant: no time-outs.

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "protocol/pserver_entry.h"
#include "protocol/record_fields.h"
#include "protocol/server_manager.h"
#include "protocol/wire.h"
#include "tests/support/scripted_socket_api.h"

namespace pscfg::testing {

struct FakeServer {
  NodeAddress node{};
  std::string alias;  // CP950 bytes
  std::uint8_t firmware_complete = 1;
  std::uint8_t model_suffix = 0;
  std::array<std::uint8_t, kEEPromImageSize> record{};
  std::array<std::uint8_t, kPServerStatusSize> status{};
  // Requests addressed to this server that it leaves unanswered.
  std::set<Command> ignores;
  // What it was asked, in order, and the test pages it printed (port index).
  std::vector<Command> requests;
  std::vector<int> test_pages;
};

// The bytes of `field` in a record or identity block held in an array.
template <std::size_t N>
std::span<std::uint8_t> Field(const FieldDescriptor& field, std::array<std::uint8_t, N>& bytes) {
  return FieldBytes(field, std::span<std::uint8_t>(bytes));
}

// A server with TCP/IP, one parallel port, alias `alias` and the node
// 00:40:01:00:00:`last`.
FakeServer MakeServer(const std::string& alias, std::uint8_t last);

class ScriptedNetwork {
 public:
  ScriptedNetwork(ScriptedSocketApi& api, Variant variant);

  FakeServer& Add(FakeServer server);
  FakeServer& server(std::size_t index) { return servers_[index]; }

  // Halvex has no discovery over the scripted network: this fills the table
  // as its search would (every server, with its record noted).
  bool FillTable(CPServerManager& manager);
  // The address the server answers from.
  net::SocketAddress SenderOf(const FakeServer& server) const;

 private:
  void Answer(const SentDatagram& datagram);
  PServerInfo InfoOf(const FakeServer& server) const;
  Bytes Reply(const FakeServer& server, Command command, std::span<const std::uint8_t> payload);

  ScriptedSocketApi& api_;
  Variant variant_;
  std::vector<FakeServer> servers_;
};

}  // namespace pscfg::testing
