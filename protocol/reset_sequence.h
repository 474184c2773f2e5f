#pragma once
// The reset that every page's "重置" button runs: reset the print server,
// probe it until it answers again, then read its record and status anew.

#include <functional>

#include "protocol/server_manager.h"

namespace pscfg {

inline constexpr int kResetProbes = 20;

struct ResetOutcome {
  bool answered = false;     // one of the probes was answered
  bool record_read = false;  // the EEPROM frame holds the new record
  bool status_read = false;  // the status frame holds the new status
};

// Runs on `target` into the manager's EEPROM and status frames. The result
// of the reset request itself is not looked at. `no_answer`, when given, is
// called at once for each step that failed (no probe answered, the record
// read, the status read), so that the caller's message comes before the
// next step as the pages show it.
ResetOutcome ResetAndReread(CPServerManager& manager, const PServerEntry& target,
                            const std::function<void()>& no_answer = {});

}  // namespace pscfg
