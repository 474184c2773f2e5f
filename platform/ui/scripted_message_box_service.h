#pragma once
// Message boxes for tests: every box is recorded, none is shown, and the
// answers come from a queue the test fills beforehand.

#include <cstddef>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/message_box_service.h"

namespace pscfg::ui {

struct ShownMessage {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::kOk;
  MessageIcon icon = MessageIcon::kNone;

  bool operator==(const ShownMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ShownMessage& message);

class ScriptedMessageBoxService : public MessageBoxService {
 public:
  // The answer to the next box (kIdOk, kIdYes or kIdNo), in order.
  void QueueAnswer(int answer) { answers_.push_back(answer); }

  // Records the box, runs the on-show hook, and returns the next queued
  // answer. With no answer queued, the box's default button answers, as if
  // the user pressed Enter: kIdOk for an OK box, kIdYes for a Yes/No box.
  int Show(QWidget* parent, const std::string& text, const std::string& caption,
           MessageButtons buttons, MessageIcon icon) override;

  // Called while a box is "up", to look at the program at that moment.
  void SetOnShow(std::function<void(const ShownMessage&)> on_show) {
    on_show_ = std::move(on_show);
  }

  const std::vector<ShownMessage>& shown() const { return shown_; }
  std::vector<std::string> texts() const;
  std::size_t pending_answers() const { return answers_.size(); }
  void Clear();

 private:
  std::deque<int> answers_;
  std::vector<ShownMessage> shown_;
  std::function<void(const ShownMessage&)> on_show_;
};

}  // namespace pscfg::ui
