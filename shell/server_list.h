#pragma once
// The General page's list of servers, as the other pages reach it through
// the sheet: a page that renames the selected server replaces its line.

#include <string>

namespace pscfg {

class ServerList {
 public:
  virtual ~ServerList() = default;
  // Deletes line `index`, inserts `alias` (UTF-8) there and selects it.
  virtual void ReplaceLine(int index, const std::string& alias) = 0;
};

}  // namespace pscfg
