#include "platform/ui/services.h"

#include "platform/ui/process_current_directory.h"
#include "platform/ui/qt_file_dialog_service.h"
#include "platform/ui/qt_message_box_service.h"
#include "platform/ui/qt_wait_cursor_service.h"

namespace pscfg::ui {
namespace {

Services& Current() {
  static QtMessageBoxService message_box;
  static QtWaitCursorService wait_cursor;
  static QtFileDialogService file_dialog;
  static ProcessCurrentDirectory current_directory;
  static Services services{&message_box, &wait_cursor, &file_dialog, &current_directory};
  return services;
}

}  // namespace

const Services& GetServices() { return Current(); }

ScopedServices::ScopedServices(const Services& replacement) : previous_(Current()) {
  Services& current = Current();
  if (replacement.message_box != nullptr) current.message_box = replacement.message_box;
  if (replacement.wait_cursor != nullptr) current.wait_cursor = replacement.wait_cursor;
  if (replacement.file_dialog != nullptr) current.file_dialog = replacement.file_dialog;
  if (replacement.current_directory != nullptr) {
    current.current_directory = replacement.current_directory;
  }
}

ScopedServices::~ScopedServices() { Current() = previous_; }

}  // namespace pscfg::ui
