#include "platform/ui/scripted_file_dialog_service.h"

namespace pscfg::ui {

std::optional<std::string> ScriptedFileDialogService::GetOpenFileName(
    QWidget* /*parent*/, const OpenFileRequest& request) {
  requests_.push_back(request);
  if (answers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

}  // namespace pscfg::ui
