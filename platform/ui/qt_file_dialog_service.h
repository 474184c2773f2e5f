#pragma once
// The open-file dialog on the screen. File patterns match regardless of case,
// as on the programs' platform ("*.bin" finds "VQIMG.BIN").

#include "platform/ui/file_dialog_service.h"

namespace pscfg::ui {

class QtFileDialogService : public FileDialogService {
 public:
  std::optional<std::string> GetOpenFileName(QWidget* parent,
                                             const OpenFileRequest& request) override;
};

}  // namespace pscfg::ui
