#include "platform/ui/ansi_length.h"

#include <QList>

#include "platform/ui/qt_text.h"

namespace pscfg::ui {

int AnsiTextLength(const QString& text) {
  int length = 0;
  for (char32_t code_point : text.toUcs4()) length += code_point < 0x80 ? 1 : 2;
  return length;
}

int AnsiTextLength(std::string_view utf8) { return AnsiTextLength(ToQString(utf8)); }

}  // namespace pscfg::ui
