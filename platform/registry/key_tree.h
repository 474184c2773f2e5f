#pragma once
// A tree of registry keys held in memory.
//
// Key and value names compare without case (ASCII letters; other bytes as
// they are) and keep the spelling they were created with. Subkeys are kept
// in the order the registry enumerates them: by name, upper-cased, byte by
// byte. Values keep the order they were first set in.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry_types.h"

namespace pscfg::registry {

// "A\B\\C\" -> {"A", "B", "C"}: split at backslashes, empty pieces dropped.
std::vector<std::string> SplitKeyPath(std::string_view path);

// The name as the registry orders and compares it: ASCII letters upper-cased.
std::string FoldName(std::string_view name);
bool NamesEqual(std::string_view a, std::string_view b);

class KeyNode {
 public:
  struct NamedValue {
    std::string name;  // "" is the key's default value
    RegValue value;

    bool operator==(const NamedValue&) const = default;
  };

  KeyNode() = default;
  explicit KeyNode(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  const std::vector<KeyNode>& subkeys() const { return subkeys_; }
  const std::vector<NamedValue>& values() const { return values_; }

  const KeyNode* FindSubkey(std::string_view name) const;
  KeyNode* FindSubkey(std::string_view name);
  // The subkey of that name, created when there is none.
  KeyNode& AddSubkey(std::string_view name);
  bool RemoveSubkey(std::string_view name);

  // The key at `path` below this one (this one for an empty path), or null.
  const KeyNode* Find(std::span<const std::string> path) const;
  KeyNode* Find(std::span<const std::string> path);
  // The key at `path`, created with every missing key on the way.
  KeyNode& Create(std::span<const std::string> path);

  const RegValue* FindValue(std::string_view name) const;
  // Replaces the data of an existing value (keeping its name and place) or
  // adds the value at the end.
  void SetValue(std::string_view name, RegValue value);
  bool RemoveValue(std::string_view name);

  bool operator==(const KeyNode&) const = default;

 private:
  std::string name_;
  std::vector<KeyNode> subkeys_;  // sorted by FoldName
  std::vector<NamedValue> values_;
};

}  // namespace pscfg::registry
