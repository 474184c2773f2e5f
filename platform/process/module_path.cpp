#include "platform/process/module_path.h"

#include <system_error>

namespace pscfg::process {

std::filesystem::path ModuleFileName() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return self;
}

std::string ProgramDirectoryOf(const std::string& module_file_name) {
  const auto cut = module_file_name.find_last_of('/');
  if (cut == std::string::npos) return {};
  return module_file_name.substr(0, cut);
}

}  // namespace pscfg::process
