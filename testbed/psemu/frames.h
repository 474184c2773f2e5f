#pragma once
// Request and reply frames as a print server on UDP sees them.
//
//   offset  width  request                      reply
//   0       6      target node (FF.. = all)     answering device's node
//   6       1      0 (direction)                1
//   7       1      command code                 command code
//   8       1      0xFF                         0xFF
//   9       1      0xFF - code                  0xFF - code
//   10      ...    payload                      payload
//
// A request is taken only when its header is exactly that and its length is
// the one of its command; anything else gets no answer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "protocol/wire.h"

namespace pscfg::psemu {

using Datagram = std::vector<std::uint8_t>;

struct Request {
  NodeAddress target{};
  Command command = Command::kSearch;
  std::span<const std::uint8_t> payload;

  bool broadcast() const { return target == kAllNodes; }
};

// The datagram as a request, or nullopt when a device would not answer it.
std::optional<Request> ParseRequest(std::span<const std::uint8_t> datagram);

// The request frame length of a command (10 for the plain commands).
std::size_t RequestFrameSize(Command command);

// The command of a code, or nullopt for a code that no device knows.
std::optional<Command> CommandFromCode(std::uint8_t code);

std::string_view CommandName(Command command);

// node + 01 code FF (FF - code) + payload.
Datagram BuildReply(const NodeAddress& node, std::uint8_t code,
                    std::span<const std::uint8_t> payload);

}  // namespace pscfg::psemu
