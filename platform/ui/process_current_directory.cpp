#include "platform/ui/process_current_directory.h"

#include <filesystem>
#include <system_error>

namespace pscfg::ui {

std::string ProcessCurrentDirectory::Get() const {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::current_path(error);
  return error ? std::string() : directory.string();
}

bool ProcessCurrentDirectory::Set(const std::string& directory) {
  std::error_code error;
  std::filesystem::current_path(directory, error);
  return !error;
}

}  // namespace pscfg::ui
