#pragma once
// Runs psemu as a child process for end-to-end tests.
//
// PsemuProcess starts build/bin/psemu (the directory comes from PSCFG_BIN)
// on a loopback address 127.0.0.N of its own, N picked pseudo-randomly from
// 2 to 254 and picked again when psemu cannot bind it, and waits up to 10 s
// for psemu's "ready" line. It then sets PSCFG_BROADCAST=127.0.0.N in this
// process so that the client's broadcasts reach the emulated devices. It
// refuses to start when PSCFG_BROADCAST is already set to an address that
// is not a loopback address.
//
// The device files, the state directory and psemu's stderr live in a
// temporary directory that the destructor removes. The state directory
// survives Stop(), so a second Start() of the same object boots the devices
// from the records they saved.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pscfg::testing {

class PsemuProcess {
 public:
  struct Options {
    std::vector<std::string> device_files_text = {};  // contents, written to a temp dir
    std::vector<std::string> extra_args = {};         // e.g. "--log"
    bool keep_state = true;                           // run with --state <temp>/state
  };

  PsemuProcess() = default;
  PsemuProcess(const PsemuProcess&) = delete;
  PsemuProcess& operator=(const PsemuProcess&) = delete;
  ~PsemuProcess();

  bool Start(const Options& options);                      // false with a message in error()
  const std::string& address() const { return address_; }  // "127.0.0.N"
  // The temporary directory of this object; state_dir() and device_dir()
  // are inside it, and tests may put their own files there.
  const std::filesystem::path& work_dir() const { return work_dir_; }
  // The directory given to --state (<work>/state; psemu is not told about
  // it when keep_state is false).
  const std::filesystem::path& state_dir() const { return state_dir_; }
  // Where the device files are: device0.dev, device1.dev, ...
  const std::filesystem::path& device_dir() const { return device_dir_; }
  bool running() const { return pid_ > 0; }

  // SIGTERM, then wait (SIGKILL after 5 s). Also done by the destructor.
  void Stop();
  // The exit code of the last psemu that ended (-1 when killed by a signal
  // or never started).
  int exit_code() const { return exit_code_; }

  // SIGHUP, then waits until psemu says it has re-read its device files.
  bool Reload();
  // Replaces device file `index` (as written by Start) before a Reload().
  bool RewriteDeviceFile(std::size_t index, const std::string& text);

  std::string error() const { return error_; }
  // What psemu wrote to stderr so far (its --log lines among them).
  std::string stderr_text() const;

 private:
  bool PrepareDirectory(const Options& options);
  // 1: ready; 0: the address could not be bound; -1: other failure.
  int TryStart(const Options& options, int host);
  bool WaitForExit(std::chrono::milliseconds limit);
  void RestoreBroadcast();

  pid_t pid_ = -1;
  int exit_code_ = -1;
  std::string address_;
  std::filesystem::path work_dir_;
  std::filesystem::path device_dir_;
  std::filesystem::path state_dir_;
  std::filesystem::path stderr_path_;
  bool keep_state_ = true;
  std::string error_;
  bool broadcast_was_set_ = false;
  std::string broadcast_before_;
};

// Device-file text: the node line, then one "key = value" line per pair.
std::string DeviceFile(
    std::string_view node,
    std::initializer_list<std::pair<std::string_view, std::string_view>> keys = {});

// Raw UDP for tests of psemu itself: sends `request` from a fresh socket to
// address:port and collects the datagrams that come back. Returns when
// `expected` datagrams have arrived or when none has arrived for `quiet`.
std::vector<std::vector<std::uint8_t>> RequestReply(
    const std::string& address, std::span<const std::uint8_t> request, std::size_t expected,
    std::chrono::milliseconds quiet = std::chrono::milliseconds(1000), std::uint16_t port = 13364);

}  // namespace pscfg::testing
