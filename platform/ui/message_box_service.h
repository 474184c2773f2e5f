#pragma once
// Message boxes: the programs' only way of reporting.

#include <QWidget>
#include <string>

namespace pscfg::ui {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows `text` modally over `parent` (may be null) and returns the button
  // the user pressed: kIdOk for an OK box, kIdYes or kIdNo for a Yes/No box.
  virtual int Show(QWidget* parent, const std::string& text, const std::string& caption,
                   MessageButtons buttons, MessageIcon icon) = 0;
};

}  // namespace pscfg::ui
