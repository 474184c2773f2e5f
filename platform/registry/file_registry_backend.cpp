#include "platform/registry/file_registry_backend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/registry/regedit4.h"

namespace pscfg::registry {
namespace {

// Holds flock(LOCK_EX) on a folder while it lives; no lock when the folder
// cannot be opened (the write then fails on its own).
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder)
      : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

}  // namespace

FileRegistryBackend::FileRegistryBackend(std::filesystem::path file, AtomicWriteSeams seams)
    : file_(std::move(file)), seams_(std::move(seams)) {}

FileRegistryBackend::Stamp FileRegistryBackend::StampNow() const {
  Stamp stamp;
  struct stat info {};
  if (file_.empty() || ::stat(file_.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.mtime_seconds = info.st_mtim.tv_sec;
  stamp.mtime_nanoseconds = info.st_mtim.tv_nsec;
  return stamp;
}

KeyNode FileRegistryBackend::Load() const {
  std::error_code ec;
  if (file_.empty() || !std::filesystem::is_regular_file(file_, ec)) return {};
  const std::uintmax_t size = std::filesystem::file_size(file_, ec);
  if (ec || size > kMaxRegistryFileSize) return {};
  std::ifstream in(file_, std::ios::binary);
  if (!in) return {};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {};
  return ParseRegedit4(text);
}

const KeyNode& FileRegistryBackend::Root() {
  const Stamp stamp = StampNow();
  if (!cache_valid_ || stamp != cache_stamp_) {
    cache_ = Load();
    cache_stamp_ = stamp;
    cache_valid_ = true;
  }
  return cache_;
}

LONG FileRegistryBackend::Update(const std::function<LONG(KeyNode& root)>& change) {
  std::error_code ec;
  const std::filesystem::path folder = file_.parent_path();
  if (file_.empty() || folder.empty()) {
    last_write_error_ = "no registry file";
    return kErrorRegistryIoFailed;
  }
  std::filesystem::create_directories(folder, ec);
  FolderLock lock(folder);

  KeyNode root = Load();
  const LONG result = change(root);
  if (result != kErrorSuccess) return result;
  // The next read parses what is on disk now, whatever became of the write.
  cache_valid_ = false;
  if (!WriteFileAtomically(file_, FormatRegedit4(root), &last_write_error_, seams_)) {
    return kErrorRegistryIoFailed;
  }
  return kErrorSuccess;
}

}  // namespace pscfg::registry
