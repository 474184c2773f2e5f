#pragma once
// Where device operations report a failing socket call. The GUI shows a
// message box; psctl writes a line to stderr.

#include <string>
#include <string_view>

namespace pscfg {

class Reporter {
 public:
  virtual ~Reporter() = default;
  // An OK message box. An empty caption means the application's own caption.
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// Reports a failing call of one operation step as " %d: <step>() Fail".
class FailureReporter {
 public:
  FailureReporter(Reporter& reporter, std::string caption)
      : reporter_(reporter), caption_(std::move(caption)) {}

  void SocketFailure(std::string_view step, int error_code) const {
    reporter_.ShowMessage(SocketFailureText(step, error_code), caption_);
  }
  void Message(std::string_view text) const { reporter_.ShowMessage(text, caption_); }

  static std::string SocketFailureText(std::string_view step, int error_code) {
    return " " + std::to_string(error_code) + ": " + std::string(step) + "() Fail";
  }

 private:
  Reporter& reporter_;
  std::string caption_;
};

}  // namespace pscfg
