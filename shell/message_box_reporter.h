#pragma once
// The manager's reports as message boxes: an OK box over the active window,
// with the caption the operation gives (Dornel: the title) or else the
// application's name.

#include "protocol/reporter.h"

namespace pscfg {

class MessageBoxReporter : public Reporter {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override;
};

}  // namespace pscfg
