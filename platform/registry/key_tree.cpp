#include "platform/registry/key_tree.h"

#include <algorithm>
#include <utility>

namespace pscfg::registry {
namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Byte order of the folded names, unsigned as the registry compares them.
bool FoldedLess(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(UpperAscii(a[i]));
    const auto y = static_cast<unsigned char>(UpperAscii(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

}  // namespace

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> pieces;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = path.find('\\', pos);
    if (end == std::string_view::npos) end = path.size();
    if (end > pos) pieces.emplace_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return pieces;
}

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = UpperAscii(c);
  return folded;
}

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

const KeyNode* KeyNode::FindSubkey(std::string_view name) const {
  const auto it = std::lower_bound(
      subkeys_.begin(), subkeys_.end(), name,
      [](const KeyNode& key, std::string_view wanted) { return FoldedLess(key.name_, wanted); });
  if (it == subkeys_.end() || !NamesEqual(it->name_, name)) return nullptr;
  return &*it;
}

KeyNode* KeyNode::FindSubkey(std::string_view name) {
  return const_cast<KeyNode*>(std::as_const(*this).FindSubkey(name));
}

KeyNode& KeyNode::AddSubkey(std::string_view name) {
  const auto it = std::lower_bound(
      subkeys_.begin(), subkeys_.end(), name,
      [](const KeyNode& key, std::string_view wanted) { return FoldedLess(key.name_, wanted); });
  if (it != subkeys_.end() && NamesEqual(it->name_, name)) return *it;
  return *subkeys_.insert(it, KeyNode(std::string(name)));
}

bool KeyNode::RemoveSubkey(std::string_view name) {
  const auto it = std::find_if(subkeys_.begin(), subkeys_.end(),
                               [&](const KeyNode& key) { return NamesEqual(key.name_, name); });
  if (it == subkeys_.end()) return false;
  subkeys_.erase(it);
  return true;
}

const KeyNode* KeyNode::Find(std::span<const std::string> path) const {
  const KeyNode* key = this;
  for (const std::string& piece : path) {
    key = key->FindSubkey(piece);
    if (key == nullptr) return nullptr;
  }
  return key;
}

KeyNode* KeyNode::Find(std::span<const std::string> path) {
  return const_cast<KeyNode*>(std::as_const(*this).Find(path));
}

KeyNode& KeyNode::Create(std::span<const std::string> path) {
  KeyNode* key = this;
  for (const std::string& piece : path) key = &key->AddSubkey(piece);
  return *key;
}

const RegValue* KeyNode::FindValue(std::string_view name) const {
  for (const NamedValue& value : values_) {
    if (NamesEqual(value.name, name)) return &value.value;
  }
  return nullptr;
}

void KeyNode::SetValue(std::string_view name, RegValue value) {
  for (NamedValue& existing : values_) {
    if (NamesEqual(existing.name, name)) {
      existing.value = std::move(value);
      return;
    }
  }
  values_.push_back({std::string(name), std::move(value)});
}

bool KeyNode::RemoveValue(std::string_view name) {
  const auto it = std::find_if(values_.begin(), values_.end(), [&](const NamedValue& value) {
    return NamesEqual(value.name, name);
  });
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

RegValue MakeStringValue(const std::string& text, DWORD type) {
  RegValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

RegValue MakeMultiStringValue(const std::vector<std::string>& texts) {
  RegValue value{kRegMultiSz, {}};
  for (const std::string& text : texts) {
    value.data.insert(value.data.end(), text.begin(), text.end());
    value.data.push_back(0);
  }
  value.data.push_back(0);
  return value;
}

RegValue MakeDwordValue(DWORD number) {
  return {kRegDword,
          {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
           static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

RegValue MakeBinaryValue(std::vector<std::uint8_t> bytes) { return {kRegBinary, std::move(bytes)}; }

}  // namespace pscfg::registry
