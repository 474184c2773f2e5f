#include "platform/ui/platform_messages.h"

namespace pscfg::ui {

std::string MaxCharsMessage(int limit) {
  return "Enter no more than " + std::to_string(limit) + " characters.";
}

}  // namespace pscfg::ui
