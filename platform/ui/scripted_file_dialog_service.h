#pragma once
// The open-file dialog for tests: records each request and answers from a
// queue (a path, or nothing for Cancel). With nothing queued it cancels.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/file_dialog_service.h"

namespace pscfg::ui {

class ScriptedFileDialogService : public FileDialogService {
 public:
  void QueueChoice(std::string path) { answers_.emplace_back(std::move(path)); }
  void QueueCancel() { answers_.emplace_back(std::nullopt); }

  std::optional<std::string> GetOpenFileName(QWidget* parent,
                                             const OpenFileRequest& request) override;

  const std::vector<OpenFileRequest>& requests() const { return requests_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<OpenFileRequest> requests_;
};

}  // namespace pscfg::ui
