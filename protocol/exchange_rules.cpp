#include "protocol/exchange_rules.h"

#include <array>

namespace pscfg {

namespace {

using enum AttemptPattern;
using enum SendErrorRule;
using enum ReplyRule;

constexpr std::size_t kIpx = RecordOffset(Variant::kHalvex);  // 4
constexpr std::size_t kUdp = RecordOffset(Variant::kDornel);  // 10

// Halvex binds every socket; only the search sets SO_REUSEADDR first.
constexpr std::array kHalvexRules = {
    ExchangeRule{Command::kReset,
                 "XResetPServerEEProm",
                 {"XResetPServerEEProm-socket", "XResetPServerEEProm-ioctlsocket", "",
                  "XResetPServerEEProm-bind"},
                 kPhases,
                 20,
                 70,
                 kFailsAttempt,
                 kExact,
                 kIpx},
    ExchangeRule{Command::kReadRecord,
                 "XReadPServerEEProm",
                 {"XReadPServerEEProm-socket", "XReadPServerEEProm-ioctlsocket", "",
                  "XReadPServerEEProm-bind"},
                 kCombined,
                 20,
                 0,
                 kStillReceives,
                 kSingleExact,
                 kIpx + kEEPromImageSize},
    ExchangeRule{Command::kWriteRecord,
                 "XWritePServerEEProm",
                 {"XWritePServerEEProm-socket", "XWritePServerEEProm-ioctlsocket", "",
                  "XWritePServerEEProm-bind"},
                 kPhases,
                 20,
                 70,
                 kFailsAttempt,
                 kSingleExact,
                 kIpx},
    ExchangeRule{
        Command::kSearch,
        "XSearchPS",
        {"XSearchFS-socket", "XSearchFS-ioctlsocket", "XSearchFS-setsocketopt", "XSearchPS-bind"},
        kCombined,
        10,
        0,
        kFailsAttempt,
        kSingleOneOf,
        kIpx + kPServerInfoSize,
        kIpx + kPServerInfoSize - 1},
    ExchangeRule{
        Command::kServerStatus,
        "XGetPServerStatus",
        {"XGetPServerStatus-socket", "XGetPServerStatus-ioctlsocket", "", "XGetPServerStatus-bind"},
        kCombined,
        20,
        0,
        kStillReceives,
        kSingleAtLeast,
        kIpx + kPServerStatusSize,
        66},
    ExchangeRule{Command::kTestPrint,
                 "XTestPrint",
                 {"XTestPrint-socket", "XTestPrint-ioctlsocket", "", "XTestPrinting-bind"},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExact,
                 kIpx},
    ExchangeRule{Command::kEnterUpgradeMode,
                 "XEnterUpgradeMode",
                 {},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExactOrShort,
                 kIpx + kUpgradeModeReplyPayload,
                 kIpx},
    ExchangeRule{
        Command::kPrinterStatus,
        "XGetPrinterStatus",
        {"XGetPrinterStatus-socket", "XGetPrinterStatus-ioctlsocket", "", "XGetPrinterStatus-bind"},
        kPhases,
        20,
        20,
        kEndsOperation,
        kExact,
        kIpx + kPrinterStatusSize},
};

// Dornel sets SO_BROADCAST on every socket and binds only for the search;
// all its operations use the two phases, and its XSendPacket has already
// closed the socket when a send fails.
constexpr std::array kDornelRules = {
    ExchangeRule{Command::kReset,
                 "XResetPServerEEProm",
                 {"XResetPServerEEProm-socket", "XResetPServerEEProm-ioctlsocket",
                  "XResetPServerEEProm-setsockopt", ""},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExact,
                 kUdp},
    ExchangeRule{Command::kReadRecord,
                 "XReadPServerEEProm",
                 {"XReadPServerEEProm-socket", "XReadPServerEEProm-ioctlsocket",
                  "XReadPServerEEProm-setsockopt", ""},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExact,
                 kUdp + kEEPromImageSize},
    ExchangeRule{Command::kWriteRecord,
                 "XWritePServerEEProm",
                 {"XWritePServerEEProm-socket", "XWritePServerEEProm-ioctlsocket",
                  "XWritePServerEEProm-setsockopt", ""},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExact,
                 kUdp},
    ExchangeRule{
        Command::kSearch,
        "XSearchPS",
        {"XSearchFS-socket", "XSearchFS-ioctlsocket", "XSearchFS-setsocketopt", "XSearchPS-bind"},
        kPhases,
        20,
        20,
        kEndsOperation,
        kExact,
        kUdp + kPServerInfoSize},
    ExchangeRule{Command::kServerStatus,
                 "XGetPServerStatus",
                 {"XGetPServerStatus-socket", "XGetPServerStatus-ioctlsocket",
                  "XGetPServerStatus-setsockopt", ""},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExceedsMinimum,
                 kUdp + kPServerStatusSize,
                 65},
    ExchangeRule{Command::kTestPrint,
                 "XTestPrint",
                 {"XTestPrint-socket", "XTestPrint-ioctlsocket", "XTestPrint-setsockopt", ""},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExact,
                 kUdp},
    ExchangeRule{Command::kEnterUpgradeMode,
                 "XEnterUpgradeMode",
                 {},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExactOrShort,
                 kUdp + kUpgradeModeReplyPayload,
                 kUdp},
    ExchangeRule{Command::kPrinterStatus,
                 "XGetPrinterStatus",
                 {"XGetPrinterStatus-socket", "XGetPrinterStatus-ioctlsocket",
                  "XGetPrinterStatus-setsockopt", ""},
                 kPhases,
                 20,
                 20,
                 kEndsOperation,
                 kExact,
                 kUdp + kPrinterStatusSize},
};

}  // namespace

const ExchangeRule& RuleFor(Variant variant, Command command) {
  const auto& rules = variant == Variant::kHalvex ? kHalvexRules : kDornelRules;
  for (const ExchangeRule& rule : rules) {
    if (rule.command == command) return rule;
  }
  return rules[0];  // every Command has a rule; unreachable
}

}  // namespace pscfg
