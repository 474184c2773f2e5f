#pragma once
// Keys kept in a REGEDIT4 file (see regedit4.h).
//
// Reading: the file is parsed again whenever it changed on disk (another
// process may have written it); a file that is missing, unreadable, a
// folder, larger than kMaxRegistryFileSize, empty or not REGEDIT4 holds no
// keys, and its malformed lines are skipped.
// Writing: under an exclusive lock on the file's folder (flock), the file
// is read afresh, changed and replaced atomically (atomic_file.h), so that
// writers in several processes do not lose each other's changes and a
// crash leaves either the old or the new file.

#include <sys/types.h>

#include <filesystem>
#include <string>

#include "platform/registry/atomic_file.h"
#include "platform/registry/registry_backend.h"

namespace pscfg::registry {

inline constexpr std::uintmax_t kMaxRegistryFileSize = 16 * 1024 * 1024;

class FileRegistryBackend : public RegistryBackend {
 public:
  explicit FileRegistryBackend(std::filesystem::path file, AtomicWriteSeams seams = {});

  const KeyNode& Root() override;
  LONG Update(const std::function<LONG(KeyNode& root)>& change) override;

  const std::filesystem::path& file() const { return file_; }
  // Why the last Update failed to store, for diagnostics.
  const std::string& last_write_error() const { return last_write_error_; }

 private:
  // What identifies one version of the file on disk.
  struct Stamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long mtime_seconds = 0;
    long mtime_nanoseconds = 0;
    bool operator==(const Stamp&) const = default;
  };

  Stamp StampNow() const;
  KeyNode Load() const;

  std::filesystem::path file_;
  AtomicWriteSeams seams_;
  KeyNode cache_;
  Stamp cache_stamp_;
  bool cache_valid_ = false;
  std::string last_write_error_;
};

}  // namespace pscfg::registry
