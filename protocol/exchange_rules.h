#pragma once
// How each device operation exchanges its datagrams, per variant.
//
// Two attempt patterns:
//   combined  (Halvex: read, status, search) every attempt sends the whole
//             request once, then receives one datagram into the reply
//             buffer's start; the attempt succeeds when that datagram has an
//             accepted length.
//   phases    (everything else) a send phase completes the request, then a
//             receive phase appends datagrams until the reply is complete.
//
// A budget of N attempts: a good reply in any of them, the last one
// included, is success.

#include <cstddef>
#include <string_view>

#include "protocol/wire.h"

namespace pscfg {

enum class AttemptPattern { kCombined, kPhases };

// What a transport error in a send does to the operation.
enum class SendErrorRule {
  kFailsAttempt,   // the attempt counts as failed; the next one follows
  kStillReceives,  // combined pattern: the attempt still receives
  kEndsOperation,  // the operation fails at once
};

// When the received bytes are a complete reply.
enum class ReplyRule {
  kExact,           // the total reaches `reply_size` (phases: appended)
  kSingleExact,     // one datagram of exactly `reply_size` (nothing appended)
  kSingleAtLeast,   // one datagram of at least `reply_minimum` bytes
  kSingleOneOf,     // one datagram of `reply_size` or `reply_minimum` bytes
  kExactOrShort,    // total of `reply_size`, or one datagram of `reply_minimum`
  kExceedsMinimum,  // stop as soon as the total exceeds `reply_minimum` or reaches `reply_size`
};

// Names that the set-up messages print. An empty name means the variant has
// no such step for this operation.
struct SetupNames {
  std::string_view socket;
  std::string_view nonblocking;
  std::string_view option;  // SO_BROADCAST on UDP, SO_REUSEADDR on IPX
  std::string_view bind;
};

struct ExchangeRule {
  Command command;
  std::string_view operation;  // for the XSendPacket / XReceivePacket messages' callers
  SetupNames setup;
  AttemptPattern pattern;
  int send_attempts;
  int receive_attempts;  // phases only
  SendErrorRule send_error;
  ReplyRule reply;
  std::size_t reply_size;            // frame bytes of a complete reply
  std::size_t reply_minimum = 0;     // see ReplyRule
  std::size_t receive_capacity = 0;  // combined: the one datagram's buffer (0: reply_size)
};

const ExchangeRule& RuleFor(Variant variant, Command command);

}  // namespace pscfg
