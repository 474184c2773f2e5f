#pragma once
// Command and control ids that the dialog framework gives a meaning of its own.

namespace pscfg::ui {

inline constexpr int kIdOk = 1;      // the OK button; the result of a dialog ended with OK
inline constexpr int kIdCancel = 2;  // the Cancel button, Escape and the close box
inline constexpr int kIdYes = 6;     // answers of a Yes/No message box
inline constexpr int kIdNo = 7;
inline constexpr int kIdApply = 0x3021;  // the Apply button of a property sheet
inline constexpr int kIdStatic = -1;     // labels and frames nobody addresses

}  // namespace pscfg::ui
