#include "tests/support/psemu_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace pscfg::testing {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr int kFirstHost = 2;
constexpr int kLastHost = 254;
constexpr int kStartAttempts = 30;
constexpr milliseconds kReadyTimeout(10000);
constexpr milliseconds kStopTimeout(5000);
constexpr milliseconds kReloadTimeout(10000);
constexpr int kExitBindFailed = 3;
constexpr std::string_view kReadyPrefix = "psemu ready ";
constexpr std::string_view kReloadedLine = "psemu: reloaded";

bool IsLoopback(const char* text) {
  in_addr address{};
  if (::inet_pton(AF_INET, text, &address) != 1) return false;
  return (ntohl(address.s_addr) >> 24) == 127;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t CountOccurrences(const std::string& text, std::string_view word) {
  std::size_t count = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
  return count;
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads the child's stdout until its first line; false on EOF or time-out.
bool ReadFirstLine(int fd, milliseconds limit, std::string* line) {
  const auto deadline = Clock::now() + limit;
  std::string text;
  for (;;) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.append(buffer, static_cast<std::size_t>(n));
    const auto end = text.find('\n');
    if (end != std::string::npos) {
      *line = text.substr(0, end);
      return true;
    }
  }
}

}  // namespace

PsemuProcess::~PsemuProcess() {
  Stop();
  if (!work_dir_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(work_dir_, ec);
  }
}

std::string PsemuProcess::stderr_text() const {
  return stderr_path_.empty() ? std::string() : ReadFile(stderr_path_);
}

bool PsemuProcess::PrepareDirectory(const Options& options) {
  if (work_dir_.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "psemu-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      error_ = "cannot create a temporary directory: " + std::string(std::strerror(errno));
      return false;
    }
    work_dir_ = pattern;
    device_dir_ = work_dir_ / "devices";
    stderr_path_ = work_dir_ / "psemu.stderr";
  }
  std::error_code ec;
  std::filesystem::remove_all(device_dir_, ec);
  std::filesystem::create_directories(device_dir_, ec);
  state_dir_ = work_dir_ / "state";
  keep_state_ = options.keep_state;
  for (std::size_t i = 0; i < options.device_files_text.size(); ++i) {
    if (!RewriteDeviceFile(i, options.device_files_text[i])) return false;
  }
  return true;
}

bool PsemuProcess::RewriteDeviceFile(std::size_t index, const std::string& text) {
  const auto path = device_dir_ / ("device" + std::to_string(index) + ".dev");
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    error_ = "cannot write " + path.string();
    return false;
  }
  return true;
}

bool PsemuProcess::Start(const Options& options) {
  Stop();
  error_.clear();
  const char* broadcast = std::getenv("PSCFG_BROADCAST");
  if (broadcast != nullptr && !IsLoopback(broadcast)) {
    error_ = "PSCFG_BROADCAST is set to " + std::string(broadcast) +
             ", which is not a loopback address; refusing to run psemu";
    return false;
  }
  const char* bin = std::getenv("PSCFG_BIN");
  if (bin == nullptr || *bin == '\0') {
    error_ = "PSCFG_BIN is not set (the directory of the psemu program)";
    return false;
  }
  if (!PrepareDirectory(options)) return false;

  std::mt19937 random(
      static_cast<std::mt19937::result_type>(::getpid() ^ Clock::now().time_since_epoch().count()));
  std::uniform_int_distribution<int> host(kFirstHost, kLastHost);
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    const int result = TryStart(options, host(random));
    if (result == 1) {
      broadcast_was_set_ = broadcast != nullptr;
      if (broadcast_was_set_) broadcast_before_ = broadcast;
      ::setenv("PSCFG_BROADCAST", address_.c_str(), 1);
      return true;
    }
    if (result < 0) return false;
  }
  error_ = "no free loopback address after " + std::to_string(kStartAttempts) + " attempts";
  return false;
}

int PsemuProcess::TryStart(const Options& options, int host) {
  const std::string address = "127.0.0." + std::to_string(host);
  const std::string program = (std::filesystem::path(std::getenv("PSCFG_BIN")) / "psemu").string();
  std::vector<std::string> args = {program, "--bind", address};
  if (keep_state_) {
    args.push_back("--state");
    args.push_back(state_dir_.string());
  }
  args.insert(args.end(), options.extra_args.begin(), options.extra_args.end());
  for (std::size_t i = 0; i < options.device_files_text.size(); ++i) {
    args.push_back((device_dir_ / ("device" + std::to_string(i) + ".dev")).string());
  }
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    error_ = "pipe: " + std::string(std::strerror(errno));
    return -1;
  }
  const int err = ::open(stderr_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (err < 0) {
    error_ = stderr_path_.string() + ": " + std::strerror(errno);
    ::close(out[0]);
    ::close(out[1]);
    return -1;
  }
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Only async-signal-safe calls until exec. psemu must not outlive us.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err);
  Fd stdout_pipe(out[0]);
  if (pid < 0) {
    error_ = "fork: " + std::string(std::strerror(errno));
    return -1;
  }
  pid_ = pid;
  std::string line;
  if (ReadFirstLine(stdout_pipe.get(), kReadyTimeout, &line) && line.rfind(kReadyPrefix, 0) == 0) {
    address_ = address;
    return 1;
  }
  // No ready line: psemu ended (or hangs; then it is stopped).
  if (!WaitForExit(milliseconds(2000))) Stop();
  if (exit_code_ == kExitBindFailed) return 0;
  error_ = "psemu did not start (exit code " + std::to_string(exit_code_) + "): " + stderr_text();
  return -1;
}

bool PsemuProcess::WaitForExit(milliseconds limit) {
  if (pid_ <= 0) return true;
  const auto deadline = Clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_ || (done < 0 && errno != EINTR)) {
      exit_code_ = done == pid_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      pid_ = -1;
      return true;
    }
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
}

void PsemuProcess::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  if (!WaitForExit(kStopTimeout)) {
    ::kill(pid_, SIGKILL);
    WaitForExit(kStopTimeout);
  }
  RestoreBroadcast();
}

void PsemuProcess::RestoreBroadcast() {
  const char* now = std::getenv("PSCFG_BROADCAST");
  if (address_.empty() || now == nullptr || address_ != now) return;
  if (broadcast_was_set_) {
    ::setenv("PSCFG_BROADCAST", broadcast_before_.c_str(), 1);
  } else {
    ::unsetenv("PSCFG_BROADCAST");
  }
}

bool PsemuProcess::Reload() {
  if (pid_ <= 0) {
    error_ = "psemu is not running";
    return false;
  }
  const std::size_t before = CountOccurrences(stderr_text(), kReloadedLine);
  if (::kill(pid_, SIGHUP) != 0) {
    error_ = "kill(SIGHUP): " + std::string(std::strerror(errno));
    return false;
  }
  const auto deadline = Clock::now() + kReloadTimeout;
  while (Clock::now() < deadline) {
    if (CountOccurrences(stderr_text(), kReloadedLine) > before) return true;
    std::this_thread::sleep_for(milliseconds(5));
  }
  error_ = "psemu did not confirm the reload: " + stderr_text();
  return false;
}

std::string DeviceFile(std::string_view node,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> keys) {
  std::string text = "node = " + std::string(node) + "\n";
  for (const auto& [key, value] : keys) {
    text += std::string(key) + " = " + std::string(value) + "\n";
  }
  return text;
}

std::vector<std::vector<std::uint8_t>> RequestReply(const std::string& address,
                                                    std::span<const std::uint8_t> request,
                                                    std::size_t expected,
                                                    std::chrono::milliseconds quiet,
                                                    std::uint16_t port) {
  std::vector<std::vector<std::uint8_t>> replies;
  if (!IsLoopback(address.c_str())) return replies;  // never off this machine
  Fd socket_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  if (socket_fd.get() < 0) return replies;
  const int size = 1 << 20;
  ::setsockopt(socket_fd.get(), SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  ::inet_pton(AF_INET, address.c_str(), &to.sin_addr);
  if (::sendto(socket_fd.get(), request.data(), request.size(), 0,
               reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
    return replies;
  }
  std::vector<std::uint8_t> buffer(65536);
  while (replies.size() < expected || expected == 0) {
    pollfd p{socket_fd.get(), POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(quiet.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    const ssize_t n = ::recv(socket_fd.get(), buffer.data(), buffer.size(), 0);
    if (n < 0) break;
    replies.emplace_back(buffer.begin(), buffer.begin() + n);
  }
  return replies;
}

}  // namespace pscfg::testing
