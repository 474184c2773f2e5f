// Discovery of many emulated print servers, and single record reads, on
// loopback: wall and CPU time against the protocol's floor.
//
//   discovery_bench [DEVICES] [READS]
//
// The floor of a discovery is its three pass waits (0 + 1 + 2 s of silence
// that end the passes) plus one record read per server found; when the
// table fills up (100 servers) collecting stops at once and only the reads
// remain.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/net/posix_socket_api.h"
#include "protocol/server_manager.h"
#include "tests/support/psemu_process.h"
#include "udp/udp_transport.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class QuietReporter : public pscfg::Reporter {
 public:
  void ShowMessage(std::string_view text, std::string_view) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int devices = argc > 1 ? std::atoi(argv[1]) : 100;
  const int reads = argc > 2 ? std::atoi(argv[2]) : 1000;

  pscfg::testing::PsemuProcess psemu;
  pscfg::testing::PsemuProcess::Options options;
  for (int i = 0; i < devices; ++i) {
    char node[24];
    std::snprintf(node, sizeof node, "00:40:05:00:%02x:%02x", i >> 8, i & 0xFF);
    options.device_files_text.push_back(
        pscfg::testing::DeviceFile(node, {{"alias", "BENCH" + std::to_string(i)}}));
  }
  options.keep_state = false;
  if (!psemu.Start(options)) {
    std::fprintf(stderr, "psemu: %s\n", psemu.error().c_str());
    return 1;
  }

  pscfg::net::PosixSocketApi api;
  pscfg::UdpTransport transport(api);
  QuietReporter reporter;
  pscfg::CPServerManager manager(transport, reporter);
  manager.set_program_directory("/nonexistent");

  // Single reads first: their mean is part of the discovery floor.
  pscfg::PServerEntry target;
  target.node_address = {0x00, 0x40, 0x05, 0x00, 0x00, 0x00};
  std::vector<double> round_trips;
  const double read_cpu_start = CpuSeconds();
  for (int i = 0; i < reads; ++i) {
    const auto start = Clock::now();
    if (manager.XReadPServerEEProm(target, manager.eeprom_frame()) != 1) {
      std::fprintf(stderr, "read %d failed\n", i);
      return 1;
    }
    round_trips.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  const double read_cpu = CpuSeconds() - read_cpu_start;
  std::sort(round_trips.begin(), round_trips.end());
  double sum = 0;
  for (double t : round_trips) sum += t;
  const double mean_us = sum / static_cast<double>(round_trips.size());

  const double cpu_start = CpuSeconds();
  const auto start = Clock::now();
  manager.XGetPort();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = CpuSeconds() - cpu_start;
  // A full table ends the collecting at once: no pass waits for the rest.
  const double pass_waits = manager.server_count() < pscfg::kMaxServers ? 3.0 : 0.0;
  const double floor = pass_waits + manager.server_count() * mean_us / 1e6;

  std::printf(
      "record read round trip (%d reads): mean %.1f us, median %.1f us, p99 %.1f us, "
      "CPU %.1f us/read\n",
      reads, mean_us, round_trips[round_trips.size() / 2],
      round_trips[round_trips.size() * 99 / 100], read_cpu * 1e6 / reads);
  std::printf(
      "discovery of %d devices: found %d, wall %.3f s, floor %.3f s (%+.2f %%), CPU %.1f ms\n",
      devices, manager.server_count(), wall, floor, (wall / floor - 1) * 100, cpu * 1e3);
  return manager.server_count() == devices ? 0 : 1;
}
