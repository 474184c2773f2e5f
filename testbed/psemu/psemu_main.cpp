// psemu: emulated print servers on a loopback UDP socket.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "testbed/psemu/command_line.h"
#include "testbed/psemu/device_file.h"
#include "testbed/psemu/emulator.h"
#include "testbed/psemu/frame_log.h"

namespace pscfg::psemu {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitBind = 3;
// Room for a broadcast answered by a hundred devices, and more.
constexpr int kSocketBufferBytes = 4 * 1024 * 1024;
constexpr std::size_t kMaxDatagram = 65536;

int g_signal_pipe[2] = {-1, -1};
volatile sig_atomic_t g_stop = 0;
volatile sig_atomic_t g_reload = 0;

void OnSignal(int signal_number) {
  if (signal_number == SIGHUP) {
    g_reload = 1;
  } else {
    g_stop = 1;
  }
  const int saved = errno;
  const char byte = 0;
  [[maybe_unused]] const ssize_t n = ::write(g_signal_pipe[1], &byte, 1);
  errno = saved;
}

bool InstallSignals() {
  if (::pipe2(g_signal_pipe, O_NONBLOCK | O_CLOEXEC) != 0) return false;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) {
    if (::sigaction(s, &action, nullptr) != 0) return false;
  }
  ::signal(SIGPIPE, SIG_IGN);
  return true;
}

int Usage(const std::string& message) {
  std::cerr << "psemu: " << message << "\n\n" << UsageText();
  return kExitUsage;
}

struct LoadedDevice {
  std::filesystem::path file;
  NodeAddress node{};
};

int OpenSocket(const CommandLine& line, std::uint16_t* bound_port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    std::cerr << "psemu: socket: " << std::strerror(errno) << '\n';
    return -1;
  }
  // Past the system's limit only with privilege; otherwise take what we get.
  const int size = kSocketBufferBytes;
  constexpr std::pair<int, int> kBuffers[] = {{SO_RCVBUFFORCE, SO_RCVBUF},
                                              {SO_SNDBUFFORCE, SO_SNDBUF}};
  for (const auto& [forced, plain] : kBuffers) {
    if (::setsockopt(fd, SOL_SOCKET, forced, &size, sizeof size) != 0) {
      ::setsockopt(fd, SOL_SOCKET, plain, &size, sizeof size);
    }
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(line.port);
  std::memcpy(&address.sin_addr.s_addr, line.bind.data(), 4);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    std::cerr << "psemu: cannot bind " << line.bind_text << ':' << line.port << ": "
              << std::strerror(errno) << '\n';
    ::close(fd);
    return -1;
  }
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  *bound_port = ntohs(address.sin_port);
  return fd;
}

std::string SenderText(const sockaddr_in& from) {
  char text[INET_ADDRSTRLEN] = "?";
  ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(from.sin_port));
}

void ReloadPrinters(Emulator& emulator, const std::vector<LoadedDevice>& loaded) {
  int updated = 0;
  for (const auto& device : loaded) {
    DeviceConfig fresh;
    std::string error;
    if (!LoadDeviceFile(device.file, &fresh, &error)) {
      std::cerr << "psemu: reload: " << error << " (kept the old printer states)\n";
      continue;
    }
    if (fresh.node != device.node) {
      std::cerr << "psemu: reload: " << device.file.string()
                << ": the node changed; restart psemu to change it\n";
      continue;
    }
    emulator.Find(device.node)->SetPrinters(fresh.ports);
    ++updated;
  }
  std::cerr << "psemu: reloaded the printers of " << updated << " device(s)\n";
}

void ServeDatagrams(int fd, Emulator& emulator, bool log) {
  std::vector<std::uint8_t> buffer(kMaxDatagram);
  for (;;) {
    sockaddr_in from{};
    socklen_t from_length = sizeof from;
    const ssize_t n = ::recvfrom(fd, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&from), &from_length);
    if (n < 0) {
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        std::cerr << "psemu: recvfrom: " << std::strerror(errno) << '\n';
      }
      return;
    }
    const std::span<const std::uint8_t> datagram(buffer.data(), static_cast<std::size_t>(n));
    if (log) std::cerr << "psemu: " << DescribeDatagram(SenderText(from), datagram) << '\n';
    for (const auto& reply : emulator.Handle(datagram, Clock::now())) {
      if (::sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&from),
                   from_length) < 0) {
        std::cerr << "psemu: sendto " << SenderText(from) << ": " << std::strerror(errno) << '\n';
      }
    }
  }
}

int Run(const std::vector<std::string>& arguments) {
  CommandLine line;
  std::string error;
  if (!ParseCommandLine(arguments, &line, &error)) return Usage(error);
  if (line.help) {
    std::cout << UsageText();
    return 0;
  }
  std::vector<std::filesystem::path> files;
  if (!ExpandDeviceFiles(line.device_arguments, &files, &error)) return Usage(error);
  if (!line.state_dir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(line.state_dir, ec);
    if (ec) return Usage(line.state_dir.string() + ": cannot create: " + ec.message());
  }

  Emulator emulator{StateDir(line.state_dir)};
  std::vector<LoadedDevice> loaded;
  for (const auto& file : files) {
    DeviceConfig config;
    if (!LoadDeviceFile(file, &config, &error)) return Usage(error);
    const NodeAddress node = config.node;
    if (!emulator.AddDevice(std::move(config), &error)) return Usage(error);
    loaded.push_back({file, node});
  }
  if (!InstallSignals()) {
    std::cerr << "psemu: cannot install the signal handlers: " << std::strerror(errno) << '\n';
    return kExitUsage;
  }
  std::uint16_t port = 0;
  const int fd = OpenSocket(line, &port);
  if (fd < 0) return kExitBind;

  std::cout << "psemu ready " << line.bind_text << ':' << port << " devices=" << emulator.size()
            << std::endl;

  int status = 0;
  pollfd fds[2] = {{fd, POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}};
  while (!g_stop) {
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) {
      std::cerr << "psemu: poll: " << std::strerror(errno) << '\n';
      status = 1;
      break;
    }
    if (fds[1].revents & POLLIN) {
      char drain[64];
      while (::read(g_signal_pipe[0], drain, sizeof drain) > 0) {
      }
    }
    if (g_stop) break;
    if (g_reload) {
      g_reload = 0;
      ReloadPrinters(emulator, loaded);
    }
    if (fds[0].revents & POLLIN) ServeDatagrams(fd, emulator, line.log);
  }
  ::close(fd);
  return status;
}

}  // namespace
}  // namespace pscfg::psemu

int main(int argc, char** argv) {
  return pscfg::psemu::Run(std::vector<std::string>(argv + 1, argv + argc));
}
