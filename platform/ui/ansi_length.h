#pragma once
// Text length as the programs count it.
//
// The programs keep their texts in CP950 (Big5) and their length limits count
// bytes of that code page: an ASCII character is one, every other character
// two. Edit limits and DDV_MaxChars use this count, so a limit of 48 admits
// 48 Latin letters or 24 Chinese characters, which is what fits the device
// field the text is written to.

#include <QString>
#include <string_view>

namespace pscfg::ui {

int AnsiTextLength(const QString& text);
int AnsiTextLength(std::string_view utf8);

}  // namespace pscfg::ui
