#pragma once
// Message boxes on the screen, with the button texts of the programs'
// Traditional Chinese platform: "確定", "是(&Y)", "否(&N)".

#include "platform/ui/message_box_service.h"

namespace pscfg::ui {

class QtMessageBoxService : public MessageBoxService {
 public:
  // While the box is up it shows the arrow cursor, also under a wait cursor.
  int Show(QWidget* parent, const std::string& text, const std::string& caption,
           MessageButtons buttons, MessageIcon icon) override;
};

}  // namespace pscfg::ui
