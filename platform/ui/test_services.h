#pragma once
// All services replaced by fakes for the lifetime of the object: message
// boxes are recorded and answered from a queue, the wait cursor records its
// calls, the file dialog answers from a queue, the current directory is a
// string. For tests of dialogs and pages.

#include <string>
#include <utility>

#include "platform/ui/fake_current_directory.h"
#include "platform/ui/recording_wait_cursor_service.h"
#include "platform/ui/scripted_file_dialog_service.h"
#include "platform/ui/scripted_message_box_service.h"
#include "platform/ui/services.h"

namespace pscfg::ui {

struct TestServices {
  explicit TestServices(std::string current_directory = "/")
      : current_directory(std::move(current_directory)) {}

  ScriptedMessageBoxService message_box;
  RecordingWaitCursorService wait_cursor;
  ScriptedFileDialogService file_dialog;
  FakeCurrentDirectory current_directory;
  ScopedServices installed{{&message_box, &wait_cursor, &file_dialog, &current_directory}};
};

}  // namespace pscfg::ui
