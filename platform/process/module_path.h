#pragma once
// The running program's own file and directory.

#include <filesystem>
#include <string>

namespace pscfg::process {

// Full name of the program file (the module file name).
std::filesystem::path ModuleFileName();

// The module file name cut at its last separator: the program directory,
// without a trailing separator.
std::string ProgramDirectoryOf(const std::string& module_file_name);

}  // namespace pscfg::process
