#pragma once
// A Reporter that keeps every message, in order.

#include <string>
#include <vector>

#include "protocol/reporter.h"

namespace pscfg::testing {

struct ShownMessage {
  std::string text;
  std::string caption;
  bool operator==(const ShownMessage&) const = default;
};

class RecordingReporter : public Reporter {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override {
    messages.push_back({std::string(text), std::string(caption)});
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
  }
  std::vector<ShownMessage> messages;
};

}  // namespace pscfg::testing
