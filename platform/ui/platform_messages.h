#pragma once
// The framework's own messages, shown when data exchange refuses a value.

#include <string>

namespace pscfg::ui {

inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";
inline constexpr const char* kEnterPositiveIntegerMessage = "Please enter a positive integer.";

// "Enter no more than %d characters." with `limit` for %d.
std::string MaxCharsMessage(int limit);

}  // namespace pscfg::ui
