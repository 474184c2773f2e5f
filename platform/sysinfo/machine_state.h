#pragma once
// The folder that holds this machine's emulated system state (the registry
// file among others).
//
// $PSCFG_ROOT when it is set and not empty; otherwise $XDG_DATA_HOME/pscfg
// when XDG_DATA_HOME is an absolute path; otherwise ~/.local/share/pscfg
// ($HOME, or the home directory of the user's account entry). Empty when no
// home directory can be found. The folder is not created here.

#include <filesystem>

namespace pscfg::sysinfo {

std::filesystem::path MachineStateRoot();

}  // namespace pscfg::sysinfo
