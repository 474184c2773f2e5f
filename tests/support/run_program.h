#pragma once
// Runs a program of build/bin to its end and keeps what it printed.

#include <string>
#include <vector>

namespace pscfg::testing {

struct ProgramResult {
  int exit_code = -1;  // -1 when it did not end normally
  std::string out;
  std::string err;
};

// `program` is a name in the directory of PSCFG_BIN; the child inherits this
// process's environment (PSCFG_BROADCAST among it).
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args);

// The directory of the built programs (PSCFG_BIN, else "bin").
std::string ProgramDirectory();

}  // namespace pscfg::testing
