#pragma once
// A current directory for tests: only a string, the process's own stays.

#include <string>
#include <utility>

#include "platform/ui/current_directory_service.h"

namespace pscfg::ui {

class FakeCurrentDirectory : public CurrentDirectoryService {
 public:
  explicit FakeCurrentDirectory(std::string directory = "/") : directory_(std::move(directory)) {}

  std::string Get() const override { return directory_; }
  bool Set(const std::string& directory) override {
    directory_ = directory;
    return true;
  }

 private:
  std::string directory_;
};

}  // namespace pscfg::ui
