#pragma once
// psctl's commands: each one calls the same manager operations that the
// configuration pages call.

#include <iosfwd>

#include "tools/psctl/command_line.h"

namespace pscfg::psctl {

// Runs one parsed command line; returns the exit status of the contract.
int RunCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace pscfg::psctl
