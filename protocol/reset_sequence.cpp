#include "protocol/reset_sequence.h"

namespace pscfg {

ResetOutcome ResetAndReread(CPServerManager& manager, const PServerEntry& target,
                            const std::function<void()>& no_answer) {
  const auto report = [&] {
    if (no_answer) no_answer();
  };
  ResetOutcome outcome;
  manager.XResetPServerEEProm(target);
  std::array<std::uint8_t, kMaxSearchFrameSize> probe{};
  for (int i = 0; i < kResetProbes && !outcome.answered; ++i) {
    outcome.answered = manager.XSearchPS(target, probe) != 0;
  }
  if (!outcome.answered) {
    report();
    return outcome;
  }
  outcome.record_read = manager.XReadPServerEEProm(target, manager.eeprom_frame()) != 0;
  if (!outcome.record_read) report();
  outcome.status_read = manager.XGetPServerStatus(target, manager.status_frame()) != 0;
  if (!outcome.status_read) report();
  return outcome;
}

}  // namespace pscfg
