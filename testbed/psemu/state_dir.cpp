#include "testbed/psemu/state_dir.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pscfg::psemu {
namespace {

std::string ErrnoText(const std::filesystem::path& path, std::string_view what) {
  return path.string() + ": " + std::string(what) + ": " + std::strerror(errno);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const std::uint8_t> data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string NodeFileName(const NodeAddress& node) {
  char text[18];
  std::snprintf(text, sizeof text, "%02x-%02x-%02x-%02x-%02x-%02x", node[0], node[1], node[2],
                node[3], node[4], node[5]);
  return text;
}

std::filesystem::path StateDir::RecordPath(const NodeAddress& node) const {
  return dir_ / (NodeFileName(node) + ".eeprom");
}

std::filesystem::path StateDir::TestPagePath(const NodeAddress& node,
                                             std::string_view port_name) const {
  return dir_ / (NodeFileName(node) + "-" + std::string(port_name) + ".prn");
}

bool StateDir::LoadRecord(const NodeAddress& node, Record* out, bool* found,
                          std::string* error) const {
  *found = false;
  if (!enabled()) return true;
  const auto path = RecordPath(node);
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return true;
    *error = ErrnoText(path, "cannot open");
    return false;
  }
  Record record{};
  std::size_t done = 0;
  std::uint8_t extra = 0;
  while (done < record.size()) {
    const ssize_t n = ::read(fd.get(), record.data() + done, record.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = ErrnoText(path, "cannot read");
      return false;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (done != record.size() || ::read(fd.get(), &extra, 1) != 0) {
    *error = path.string() + ": not a 512-byte record";
    return false;
  }
  *out = record;
  *found = true;
  return true;
}

bool StateDir::SaveRecord(const NodeAddress& node, std::span<const std::uint8_t> record,
                          std::string* error) const {
  if (!enabled()) return true;
  const auto path = RecordPath(node);
  auto temp = path;
  temp += ".tmp." + std::to_string(::getpid());
  {
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
      *error = ErrnoText(temp, "cannot create");
      return false;
    }
    if (!WriteAll(fd.get(), record) || ::fsync(fd.get()) != 0 || !fd.Close()) {
      *error = ErrnoText(temp, "cannot write");
      ::unlink(temp.c_str());
      return false;
    }
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    *error = ErrnoText(path, "cannot replace");
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself must reach the disk before the write is confirmed.
  Fd dir(::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

bool StateDir::AppendTestPage(const NodeAddress& node, std::string_view port_name,
                              std::string_view page, std::string* error) const {
  if (!enabled()) return true;
  const auto path = TestPagePath(node, port_name);
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
  const auto* data = reinterpret_cast<const std::uint8_t*>(page.data());
  if (fd.get() < 0 || !WriteAll(fd.get(), {data, page.size()})) {
    *error = ErrnoText(path, "cannot append");
    return false;
  }
  return true;
}

}  // namespace pscfg::psemu
