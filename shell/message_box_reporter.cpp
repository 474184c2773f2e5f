#include "shell/message_box_reporter.h"

#include <QApplication>
#include <string>

#include "platform/ui/cwin_app.h"
#include "platform/ui/services.h"

namespace pscfg {

void MessageBoxReporter::ShowMessage(std::string_view text, std::string_view caption) {
  ui::GetServices().message_box->Show(QApplication::activeWindow(), std::string(text),
                                      caption.empty() ? ui::AfxGetAppName() : std::string(caption),
                                      ui::MessageButtons::kOk, ui::MessageIcon::kNone);
}

}  // namespace pscfg
