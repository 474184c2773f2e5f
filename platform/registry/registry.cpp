#include "platform/registry/registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <span>
#include <utility>
#include <vector>

#include "platform/registry/file_registry_backend.h"
#include "platform/registry/network_card_view.h"
#include "platform/registry/regedit4.h"
#include "platform/sysinfo/host_source.h"
#include "platform/sysinfo/machine_state.h"

namespace pscfg::registry {
namespace {

using Path = std::vector<std::string>;

struct OpenKey {
  Path path;
  DWORD access = 0;
};

struct State {
  std::mutex mutex;
  std::shared_ptr<RegistryBackend> installed;
  std::unique_ptr<FileRegistryBackend> default_file;
  KeyNode live;
  bool live_taken = false;
  std::map<std::uintptr_t, OpenKey> handles;
  std::uintptr_t next_handle = 0x1000;
};

State& TheState() {
  static State state;
  return state;
}

RegistryBackend& Backend(State& state) {
  if (state.installed) return *state.installed;
  const std::filesystem::path file = RegistryFilePath();
  if (!state.default_file || state.default_file->file() != file) {
    state.default_file = std::make_unique<FileRegistryBackend>(file);
  }
  return *state.default_file;
}

void TakeLiveView(State& state) {
  state.live = BuildNetworkCardView(sysinfo::CurrentHostSource().Interfaces());
  state.live_taken = true;
}

// The stored keys with the live view laid over them.
class MergedView {
 public:
  MergedView(const KeyNode& stored, const KeyNode& live) : stored_(stored), live_(live) {}

  bool Exists(const Path& path) const {
    return stored_.Find(path) != nullptr || live_.Find(path) != nullptr;
  }

  std::vector<std::string> SubkeyNames(const Path& path) const {
    std::map<std::string, std::string> by_folded_name;  // the registry's order
    for (const KeyNode* key : {stored_.Find(path), live_.Find(path)}) {
      if (key == nullptr) continue;
      for (const KeyNode& subkey : key->subkeys()) {
        by_folded_name.emplace(FoldName(subkey.name()), subkey.name());
      }
    }
    std::vector<std::string> names;
    for (auto& [folded, name] : by_folded_name) names.push_back(std::move(name));
    return names;
  }

  std::vector<const KeyNode::NamedValue*> Values(const Path& path) const {
    std::vector<const KeyNode::NamedValue*> values;
    const KeyNode* stored = stored_.Find(path);
    if (stored != nullptr) {
      for (const KeyNode::NamedValue& value : stored->values()) values.push_back(&value);
    }
    if (const KeyNode* live = live_.Find(path)) {
      for (const KeyNode::NamedValue& value : live->values()) {
        if (stored == nullptr || stored->FindValue(value.name) == nullptr) values.push_back(&value);
      }
    }
    return values;
  }

  const RegValue* FindValue(const Path& path, std::string_view name) const {
    for (const KeyNode* key : {stored_.Find(path), live_.Find(path)}) {
      if (key == nullptr) continue;
      if (const RegValue* value = key->FindValue(name)) return value;
    }
    return nullptr;
  }

 private:
  const KeyNode& stored_;
  const KeyNode& live_;
};

// Everything a call needs: the lock, the state and the merged view.
class Session {
 public:
  Session() : state_(TheState()), lock_(state_.mutex) {
    if (!state_.live_taken) TakeLiveView(state_);
  }

  State& state() { return state_; }
  RegistryBackend& backend() { return Backend(state_); }
  MergedView view() { return MergedView(backend().Root(), state_.live); }

  // The open key behind `key`, checked for `rights` and for still existing.
  LONG Resolve(HKey key, DWORD rights, OpenKey* open) {
    if (key == kHkeyLocalMachine) {
      *open = OpenKey{{}, kKeyAllAccess};
      return kErrorSuccess;
    }
    const auto found = state_.handles.find(static_cast<std::uintptr_t>(key));
    if (found == state_.handles.end()) return kErrorInvalidHandle;
    if ((found->second.access & rights) != rights) return kErrorAccessDenied;
    if (!view().Exists(found->second.path)) return kErrorKeyDeleted;
    *open = found->second;
    return kErrorSuccess;
  }

  HKey NewHandle(Path path, DWORD access) {
    const std::uintptr_t handle = state_.next_handle;
    state_.next_handle += 4;
    state_.handles[handle] = OpenKey{std::move(path), access};
    return static_cast<HKey>(handle);
  }

 private:
  State& state_;
  std::lock_guard<std::mutex> lock_;
};

// `base` extended by the pieces of `subkey`; kErrorBadPathname for a path
// that starts with a backslash.
LONG Extend(const Path& base, std::string_view subkey, Path* path) {
  if (!subkey.empty() && subkey.front() == '\\') return kErrorBadPathname;
  *path = base;
  for (std::string& piece : SplitKeyPath(subkey)) path->push_back(std::move(piece));
  return kErrorSuccess;
}

}  // namespace

LONG RegOpenKeyEx(HKey key, std::string_view subkey, DWORD access, HKey* result) {
  if (result == nullptr) return kErrorInvalidParameter;
  *result = kNoKey;
  Session session;
  OpenKey base;
  if (const LONG error = session.Resolve(key, 0, &base); error != kErrorSuccess) return error;
  Path path;
  if (const LONG error = Extend(base.path, subkey, &path); error != kErrorSuccess) return error;
  TakeLiveView(session.state());
  if (!session.view().Exists(path)) return kErrorFileNotFound;
  *result = session.NewHandle(std::move(path), access);
  return kErrorSuccess;
}

LONG RegCreateKeyEx(HKey key, std::string_view subkey, DWORD access, HKey* result,
                    DWORD* disposition) {
  if (result == nullptr) return kErrorInvalidParameter;
  *result = kNoKey;
  Session session;
  OpenKey base;
  if (const LONG error = session.Resolve(key, 0, &base); error != kErrorSuccess) return error;
  Path path;
  if (const LONG error = Extend(base.path, subkey, &path); error != kErrorSuccess) return error;
  for (const std::string& piece : path) {
    if (!IsStorableName(piece)) return kErrorInvalidParameter;
  }
  TakeLiveView(session.state());
  DWORD what = kRegOpenedExistingKey;
  if (!session.view().Exists(path)) {
    if ((base.access & kKeyCreateSubKey) == 0) return kErrorAccessDenied;
    const LONG error = session.backend().Update([&](KeyNode& root) {
      root.Create(path);
      return kErrorSuccess;
    });
    if (error != kErrorSuccess) return error;
    what = kRegCreatedNewKey;
  }
  if (disposition != nullptr) *disposition = what;
  *result = session.NewHandle(std::move(path), access);
  return kErrorSuccess;
}

LONG RegQueryInfoKey(HKey key, DWORD* subkeys, DWORD* max_subkey_length, DWORD* values,
                     DWORD* max_value_name_length, DWORD* max_value_length) {
  Session session;
  OpenKey open;
  if (const LONG error = session.Resolve(key, kKeyQueryValue, &open); error != kErrorSuccess) {
    return error;
  }
  const MergedView view = session.view();
  const std::vector<std::string> names = view.SubkeyNames(open.path);
  DWORD longest_name = 0;
  for (const std::string& name : names) {
    longest_name = std::max(longest_name, static_cast<DWORD>(name.size()));
  }
  const std::vector<const KeyNode::NamedValue*> all_values = view.Values(open.path);
  DWORD longest_value_name = 0;
  DWORD longest_value = 0;
  for (const KeyNode::NamedValue* value : all_values) {
    longest_value_name = std::max(longest_value_name, static_cast<DWORD>(value->name.size()));
    longest_value = std::max(longest_value, static_cast<DWORD>(value->value.data.size()));
  }
  if (subkeys != nullptr) *subkeys = static_cast<DWORD>(names.size());
  if (max_subkey_length != nullptr) *max_subkey_length = longest_name;
  if (values != nullptr) *values = static_cast<DWORD>(all_values.size());
  if (max_value_name_length != nullptr) *max_value_name_length = longest_value_name;
  if (max_value_length != nullptr) *max_value_length = longest_value;
  return kErrorSuccess;
}

LONG RegEnumKeyEx(HKey key, DWORD index, std::string* name) {
  if (name == nullptr) return kErrorInvalidParameter;
  Session session;
  OpenKey open;
  if (const LONG error = session.Resolve(key, kKeyEnumerateSubKeys, &open);
      error != kErrorSuccess) {
    return error;
  }
  std::vector<std::string> names = session.view().SubkeyNames(open.path);
  if (index >= names.size()) return kErrorNoMoreItems;
  *name = std::move(names[index]);
  return kErrorSuccess;
}

LONG RegEnumKeyEx(HKey key, DWORD index, char* name, DWORD* name_size) {
  if (name == nullptr || name_size == nullptr) return kErrorInvalidParameter;
  std::string found;
  if (const LONG error = RegEnumKeyEx(key, index, &found); error != kErrorSuccess) return error;
  if (found.size() + 1 > *name_size) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *name_size = static_cast<DWORD>(found.size());
  return kErrorSuccess;
}

LONG RegQueryValueEx(HKey key, std::string_view name, DWORD* type, std::uint8_t* data,
                     DWORD* size) {
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  Session session;
  OpenKey open;
  if (const LONG error = session.Resolve(key, kKeyQueryValue, &open); error != kErrorSuccess) {
    return error;
  }
  const RegValue* value = session.view().FindValue(open.path, name);
  if (value == nullptr) return kErrorFileNotFound;
  if (type != nullptr) *type = value->type;
  const auto needed = static_cast<DWORD>(value->data.size());
  if (data == nullptr) {
    if (size != nullptr) *size = needed;
    return kErrorSuccess;
  }
  if (*size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  if (needed > 0) std::memcpy(data, value->data.data(), needed);
  *size = needed;
  return kErrorSuccess;
}

LONG RegSetValueEx(HKey key, std::string_view name, DWORD type, const std::uint8_t* data,
                   DWORD size) {
  if (data == nullptr && size > 0) return kErrorInvalidParameter;
  if (!IsStorableName(name)) return kErrorInvalidParameter;
  Session session;
  OpenKey open;
  if (const LONG error = session.Resolve(key, kKeySetValue, &open); error != kErrorSuccess) {
    return error;
  }
  RegValue value{type, data == nullptr ? std::vector<std::uint8_t>()
                                       : std::vector<std::uint8_t>(data, data + size)};
  return session.backend().Update([&](KeyNode& root) {
    root.Create(open.path).SetValue(name, std::move(value));
    return kErrorSuccess;
  });
}

LONG RegDeleteKey(HKey key, std::string_view subkey) {
  Session session;
  OpenKey base;
  if (const LONG error = session.Resolve(key, 0, &base); error != kErrorSuccess) return error;
  Path path;
  if (const LONG error = Extend(base.path, subkey, &path); error != kErrorSuccess) return error;
  if (path.empty()) return kErrorAccessDenied;  // HKEY_LOCAL_MACHINE itself
  const MergedView view = session.view();
  if (!view.Exists(path)) return kErrorFileNotFound;
  if (session.state().live.Find(path) != nullptr) return kErrorAccessDenied;
  if (!view.SubkeyNames(path).empty()) return kErrorAccessDenied;
  return session.backend().Update([&](KeyNode& root) {
    KeyNode* parent = root.Find(std::span<const std::string>(path).first(path.size() - 1));
    if (parent == nullptr || !parent->RemoveSubkey(path.back())) return kErrorFileNotFound;
    return kErrorSuccess;
  });
}

LONG RegDeleteValue(HKey key, std::string_view name) {
  Session session;
  OpenKey open;
  if (const LONG error = session.Resolve(key, kKeySetValue, &open); error != kErrorSuccess) {
    return error;
  }
  const KeyNode* live = session.state().live.Find(open.path);
  if (live != nullptr && live->FindValue(name) != nullptr) return kErrorAccessDenied;
  return session.backend().Update([&](KeyNode& root) {
    KeyNode* stored = root.Find(open.path);
    if (stored == nullptr || !stored->RemoveValue(name)) return kErrorFileNotFound;
    return kErrorSuccess;
  });
}

LONG RegCloseKey(HKey key) {
  if (key == kHkeyLocalMachine) return kErrorSuccess;
  Session session;
  return session.state().handles.erase(static_cast<std::uintptr_t>(key)) == 1 ? kErrorSuccess
                                                                              : kErrorInvalidHandle;
}

std::filesystem::path RegistryFilePath() {
  const std::filesystem::path root = sysinfo::MachineStateRoot();
  if (root.empty()) return {};
  return root / "registry.reg";
}

ScopedRegistryBackend::ScopedRegistryBackend(std::shared_ptr<RegistryBackend> backend) {
  std::lock_guard lock(TheState().mutex);
  previous_ = std::exchange(TheState().installed, std::move(backend));
}

ScopedRegistryBackend::~ScopedRegistryBackend() {
  std::lock_guard lock(TheState().mutex);
  TheState().installed = std::move(previous_);
}

}  // namespace pscfg::registry
