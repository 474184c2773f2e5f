// Dornel's start-up with many emulated print servers on loopback: the time
// until the sheet is first painted (before the search is over) and the
// program's peak memory once the servers are listed.
//
//   gui_start_bench [DEVICES] [RUNS]
//
// Each run starts build/bin/Dornel headless with PSCFG_FIRST_PAINT_REPORT
// and PSCFG_SCREENSHOTS (so it ends by itself after its first search) and
// reads its report lines. "first paint" is measured twice: by Dornel from
// its own process start, and here from the fork to the arrival of the line.
// Peak memory is the child's maximum resident set (wait4).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/psemu_process.h"
#include "tests/support/run_program.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
  double observed_first_paint_ms = -1;
  long long reported_first_paint_ms = -1;
  long long search_done_ms = -1;
  int servers = -1;
  long peak_kib = -1;
  int exit_code = -1;
};

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

Run RunDornel(const std::string& program, const std::filesystem::path& shots) {
  Run run;
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return run;
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_fds[1], STDERR_FILENO);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("PSCFG_FIRST_PAINT_REPORT", "1", 1);
    setenv("PSCFG_SCREENSHOTS", shots.c_str(), 1);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipe_fds[1]);
  FILE* err = fdopen(pipe_fds[0], "r");
  char line[512];
  while (err != nullptr && std::fgets(line, sizeof line, err) != nullptr) {
    long long ms = 0;
    int servers = 0;
    if (std::sscanf(line, "first paint: %lld ms", &ms) == 1) {
      run.observed_first_paint_ms = Milliseconds(Clock::now() - start);
      run.reported_first_paint_ms = ms;
    } else if (std::sscanf(line, "search done: %lld ms, %d servers", &ms, &servers) == 2) {
      run.search_done_ms = ms;
      run.servers = servers;
    }
  }
  if (err != nullptr) std::fclose(err);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.peak_kib = usage.ru_maxrss;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

template <class T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? T{} : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int devices = argc > 1 ? std::atoi(argv[1]) : 100;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

  pscfg::testing::PsemuProcess psemu;
  pscfg::testing::PsemuProcess::Options options;
  for (int i = 0; i < devices; ++i) {
    char node[24];
    std::snprintf(node, sizeof node, "00:40:06:00:%02x:%02x", i >> 8, i & 0xFF);
    char alias[16];
    std::snprintf(alias, sizeof alias, "PS-%03d", i + 1);
    options.device_files_text.push_back(pscfg::testing::DeviceFile(node, {{"alias", alias}}));
  }
  options.keep_state = false;
  if (!psemu.Start(options)) {
    std::fprintf(stderr, "psemu: %s\n", psemu.error().c_str());
    return 1;
  }
  const std::string program = pscfg::testing::ProgramDirectory() + "/Dornel";
  const std::filesystem::path shots = psemu.work_dir() / "shots";

  std::printf("Dornel start-up, %d emulated servers at %s, %d runs\n", devices,
              psemu.address().c_str(), runs);
  std::printf("%4s %14s %14s %12s %8s %10s\n", "run", "paint(own) ms", "paint(seen) ms",
              "search ms", "servers", "peak MiB");
  std::vector<double> seen;
  std::vector<long long> own;
  std::vector<long> peaks;
  bool all_listed = true;
  for (int i = 0; i < runs; ++i) {
    const Run run = RunDornel(program, shots);
    if (run.exit_code != 0 || run.reported_first_paint_ms < 0) {
      std::fprintf(stderr, "run %d: Dornel ended with %d without a report\n", i + 1, run.exit_code);
      return 1;
    }
    std::printf("%4d %14lld %14.1f %12lld %8d %10.1f\n", i + 1, run.reported_first_paint_ms,
                run.observed_first_paint_ms, run.search_done_ms, run.servers,
                static_cast<double>(run.peak_kib) / 1024.0);
    seen.push_back(run.observed_first_paint_ms);
    own.push_back(run.reported_first_paint_ms);
    peaks.push_back(run.peak_kib);
    all_listed = all_listed && run.servers == std::min(devices, 100);
  }
  std::printf("median first paint: %lld ms (own clock), %.1f ms (seen from the parent)\n",
              Median(own), Median(seen));
  std::printf("largest peak memory: %.1f MiB\n",
              static_cast<double>(*std::max_element(peaks.begin(), peaks.end())) / 1024.0);
  std::printf("targets: first paint < 300 ms, peak < 80 MB; every run listed %s servers\n",
              all_listed ? "all" : "NOT all");
  return 0;
}
