#include "protocol/reset_sequence.h"

namespace pscfg {

ResetOutcome ResetAndReread(CPServerManager& manager, const PServerEntry& target) {
  ResetOutcome outcome;
  manager.XResetPServerEEProm(target);
  std::array<std::uint8_t, kMaxSearchFrameSize> probe{};
  for (int i = 0; i < kResetProbes && !outcome.answered; ++i) {
    outcome.answered = manager.XSearchPS(target, probe) != 0;
  }
  if (!outcome.answered) return outcome;
  outcome.record_read = manager.XReadPServerEEProm(target, manager.eeprom_frame()) != 0;
  outcome.status_read = manager.XGetPServerStatus(target, manager.status_frame()) != 0;
  return outcome;
}

}  // namespace pscfg
