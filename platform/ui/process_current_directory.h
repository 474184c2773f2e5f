#pragma once
// The real current directory of the process.

#include "platform/ui/current_directory_service.h"

namespace pscfg::ui {

class ProcessCurrentDirectory : public CurrentDirectoryService {
 public:
  std::string Get() const override;
  bool Set(const std::string& directory) override;
};

}  // namespace pscfg::ui
