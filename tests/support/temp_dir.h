#pragma once
// A directory of a test's own, removed with its contents at the end.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace pscfg::testing {

class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "pscfg_") {
    std::random_device random;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(path_, error)) break;
    }
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace pscfg::testing
