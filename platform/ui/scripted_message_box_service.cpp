#include "platform/ui/scripted_message_box_service.h"

#include "platform/ui/ids.h"

namespace pscfg::ui {
namespace {

const char* Name(MessageButtons buttons) {
  return buttons == MessageButtons::kYesNo ? "YesNo" : "Ok";
}

const char* Name(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return "information";
    case MessageIcon::kWarning:
      return "warning";
    case MessageIcon::kError:
      return "error";
    case MessageIcon::kQuestion:
      return "question";
    case MessageIcon::kNone:
      break;
  }
  return "no icon";
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const ShownMessage& message) {
  return out << "{\"" << message.text << "\", caption \"" << message.caption << "\", "
             << Name(message.buttons) << ", " << Name(message.icon) << "}";
}

int ScriptedMessageBoxService::Show(QWidget* /*parent*/, const std::string& text,
                                    const std::string& caption, MessageButtons buttons,
                                    MessageIcon icon) {
  const ShownMessage message{text, caption, buttons, icon};
  shown_.push_back(message);
  if (on_show_) on_show_(message);
  if (answers_.empty()) return buttons == MessageButtons::kYesNo ? kIdYes : kIdOk;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::vector<std::string> ScriptedMessageBoxService::texts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : shown_) texts.push_back(message.text);
  return texts;
}

void ScriptedMessageBoxService::Clear() {
  answers_.clear();
  shown_.clear();
}

}  // namespace pscfg::ui
