// psctl: the print-server manager on the command line.

#include <iostream>
#include <string>
#include <vector>

#include "tools/psctl/command_line.h"
#include "tools/psctl/commands.h"

int main(int argc, char** argv) {
  using namespace pscfg::psctl;
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto line = ParseCommandLine(args, &error);
  if (!line) {
    std::cerr << "psctl: " << error << "\n" << kUsage;
    return kExitUsage;
  }
  return RunCommand(*line, std::cout, std::cerr);
}
