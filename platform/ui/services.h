#pragma once
// The services the dialogs and pages use, in one process-wide place.
//
// By default they are the real ones (message boxes and dialogs on the screen,
// the override cursor, the process's current directory). A test installs its
// own with ScopedServices, or all fakes at once with TestServices
// (test_services.h); the previous ones come back when it goes.

#include "platform/ui/current_directory_service.h"
#include "platform/ui/file_dialog_service.h"
#include "platform/ui/message_box_service.h"
#include "platform/ui/wait_cursor_service.h"

namespace pscfg::ui {

struct Services {
  MessageBoxService* message_box = nullptr;
  WaitCursorService* wait_cursor = nullptr;
  FileDialogService* file_dialog = nullptr;
  CurrentDirectoryService* current_directory = nullptr;
};

// The services in force; none of the pointers is null.
const Services& GetServices();

// Puts the non-null members of `replacement` in force for its lifetime.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& replacement);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services previous_;
};

}  // namespace pscfg::ui
