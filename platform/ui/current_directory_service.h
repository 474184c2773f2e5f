#pragma once
// The process's current directory.

#include <string>

namespace pscfg::ui {

class CurrentDirectoryService {
 public:
  virtual ~CurrentDirectoryService() = default;
  virtual std::string Get() const = 0;
  // False when the directory cannot be made current; it then stays as it was.
  virtual bool Set(const std::string& directory) = 0;
};

}  // namespace pscfg::ui
