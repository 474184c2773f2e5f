#pragma once
// The registry calls of the programs, under HKEY_LOCAL_MACHINE only.
//
// What a program sees is the stored keys (by default the REGEDIT4 file at
// RegistryFilePath(); a ScopedRegistryBackend puts another store in place)
// with the live view of this host's network cards (network_card_view.h)
// laid over them:
// - a key exists when it exists in either, and has the subkeys of both;
// - a stored value wins over a live value of the same name (so a registry
//   file can stand in for a card's settings); the live values come after
//   the stored ones;
// - writes always go to the store: a value set on a live key is stored and
//   from then on hides the live one; deleting a key or a value that the live
//   view provides fails with kErrorAccessDenied, as the view is read-only.
// The live view is taken anew at every RegOpenKeyEx and RegCreateKeyEx.
//
// As the programs know it from Windows:
// - Key and value names compare without case; '\' separates keys; empty
//   pieces of a path are ignored; a path starting with '\' is
//   kErrorBadPathname. The empty value name is the key's default value.
// - A missing key or value is kErrorFileNotFound. A handle that is not open
//   is kErrorInvalidHandle; one whose key has been deleted since is
//   kErrorKeyDeleted.
// - Rights are checked: queries need kKeyQueryValue, enumeration
//   kKeyEnumerateSubKeys, setting and deleting values kKeySetValue, creating
//   a missing subkey kKeyCreateSubKey. kHkeyLocalMachine has every right and
//   needs no closing.
// - Subkeys enumerate in the registry's order: by upper-cased name.
// - A store that cannot be written gives kErrorRegistryIoFailed and keeps
//   its old contents.
// Calls are safe from several threads; handles belong to the process.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/registry/registry_backend.h"
#include "platform/registry/registry_types.h"

namespace pscfg::registry {

enum class HKey : std::uintptr_t {};
inline constexpr HKey kNoKey{0};
inline constexpr HKey kHkeyLocalMachine{0x80000002};

// Opens `subkey` of `key` ("" opens `key` again). On failure *result is
// kNoKey.
LONG RegOpenKeyEx(HKey key, std::string_view subkey, DWORD access, HKey* result);

// Opens `subkey` of `key`, creating it and any missing key on the way.
// *disposition (when given) tells kRegCreatedNewKey or kRegOpenedExistingKey.
// Names holding a line break or NUL are kErrorInvalidParameter.
LONG RegCreateKeyEx(HKey key, std::string_view subkey, DWORD access, HKey* result,
                    DWORD* disposition = nullptr);

// Counts of the key; each output may be null. Name lengths are in bytes
// without the terminator; max_value_length is the longest value data.
LONG RegQueryInfoKey(HKey key, DWORD* subkeys, DWORD* max_subkey_length, DWORD* values = nullptr,
                     DWORD* max_value_name_length = nullptr, DWORD* max_value_length = nullptr);

// The name of subkey `index` into `name`, whose size *name_size counts the
// terminator; on success *name_size is the name's length without it.
// kErrorMoreData when the name and its terminator do not fit (nothing is
// written); kErrorNoMoreItems when `index` is past the last subkey.
LONG RegEnumKeyEx(HKey key, DWORD index, char* name, DWORD* name_size);
LONG RegEnumKeyEx(HKey key, DWORD index, std::string* name);

// Reads value `name`. *type (when given) receives its type. With `data`
// null, *size (when given) receives the size needed. Otherwise *size is the
// buffer's size: when the data fits it is copied and *size set to its size;
// when it does not, kErrorMoreData and *size set to the size needed. The
// size is that of the stored bytes: a string's terminator counts, a
// REG_MULTI_SZ ends with two. `data` without `size` is
// kErrorInvalidParameter.
LONG RegQueryValueEx(HKey key, std::string_view name, DWORD* type, std::uint8_t* data, DWORD* size);

// Stores `size` bytes at `data` as value `name` of type `type`, exactly as
// given (a string is stored with its terminator only when `size` counts it).
LONG RegSetValueEx(HKey key, std::string_view name, DWORD type, const std::uint8_t* data,
                   DWORD size);

// Deletes `subkey` of `key` ("" deletes `key` itself), which must have no
// subkeys (kErrorAccessDenied otherwise, as on Windows NT).
LONG RegDeleteKey(HKey key, std::string_view subkey);

LONG RegDeleteValue(HKey key, std::string_view name);

LONG RegCloseKey(HKey key);

// "registry.reg" in the machine-state folder (sysinfo/machine_state.h);
// empty when there is no such folder, which makes the default store empty
// and unwritable.
std::filesystem::path RegistryFilePath();

// Puts `backend` in place of the default file store while it lives. Open
// handles stay open and refer to the same paths in the new store.
class ScopedRegistryBackend {
 public:
  explicit ScopedRegistryBackend(std::shared_ptr<RegistryBackend> backend);
  ~ScopedRegistryBackend();
  ScopedRegistryBackend(const ScopedRegistryBackend&) = delete;
  ScopedRegistryBackend& operator=(const ScopedRegistryBackend&) = delete;

 private:
  std::shared_ptr<RegistryBackend> previous_;
};

}  // namespace pscfg::registry
