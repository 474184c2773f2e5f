#pragma once
// The layer speaks UTF-8 std::string; Qt speaks QString. These convert at that edge.

#include <QString>
#include <string>
#include <string_view>

namespace pscfg::ui {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace pscfg::ui
