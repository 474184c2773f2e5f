#pragma once
// The reset that every page's "重置" button runs: reset the print server,
// probe it until it answers again, then read its record and status anew.

#include "protocol/server_manager.h"

namespace pscfg {

inline constexpr int kResetProbes = 20;

struct ResetOutcome {
  bool answered = false;     // one of the probes was answered
  bool record_read = false;  // the EEPROM frame holds the new record
  bool status_read = false;  // the status frame holds the new status
};

// Runs on `target` into the manager's EEPROM and status frames. The result
// of the reset request itself is not looked at.
ResetOutcome ResetAndReread(CPServerManager& manager, const PServerEntry& target);

}  // namespace pscfg
