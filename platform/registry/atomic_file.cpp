#include "platform/registry/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

namespace pscfg::registry {
namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error != nullptr) *error = what;
  return false;
}

std::string ErrnoText(const std::string& call) { return call + ": " + std::strerror(errno); }

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself is already done
  ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error, const AtomicWriteSeams& seams) {
  if (file.empty() || !file.has_filename()) return Fail(error, "no file name");
  const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return Fail(error, "create " + folder.string() + ": " + ec.message());

  const std::string pattern = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
  std::vector<char> temp_name(pattern.begin(), pattern.end());
  temp_name.push_back('\0');
  const int fd = ::mkostemp(temp_name.data(), O_CLOEXEC);
  if (fd < 0) return Fail(error, ErrnoText("mkstemp"));
  const std::filesystem::path temp(temp_name.data());

  auto abandon = [&](const std::string& what) {
    ::close(fd);
    ::unlink(temp.c_str());
    return Fail(error, what);
  };
  if (!WriteAll(fd, bytes)) return abandon(ErrnoText("write"));
  const bool synced = seams.sync_file ? seams.sync_file(fd) : ::fsync(fd) == 0;
  if (!synced) return abandon(ErrnoText("fsync"));
  if (::close(fd) != 0) {
    ::unlink(temp.c_str());
    return Fail(error, ErrnoText("close"));
  }
  const bool renamed =
      seams.rename ? seams.rename(temp, file) : ::rename(temp.c_str(), file.c_str()) == 0;
  if (!renamed) {
    const std::string what = ErrnoText("rename");
    ::unlink(temp.c_str());
    return Fail(error, what);
  }
  SyncFolder(folder);
  return true;
}

}  // namespace pscfg::registry
