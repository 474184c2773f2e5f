#pragma once
// A machine of its own for one registry test: PSCFG_ROOT points at a fresh
// temporary folder (the registry file lives there), the host has exactly
// the interfaces given, and both are undone at the end of the test.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/sysinfo/host_source.h"

namespace pscfg::registry::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    for (;;) {
      path_ =
          std::filesystem::temp_directory_path() / ("pscfg_registry_" + std::to_string(random()));
      std::error_code ec;
      if (std::filesystem::create_directory(path_, ec)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names of the entries of a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class TestMachine {
 public:
  explicit TestMachine(std::vector<sysinfo::HostInterface> interfaces = {})
      : host_("PC-LAB", std::move(interfaces)), scoped_host_(host_) {
    if (const char* old = std::getenv("PSCFG_ROOT")) old_root_ = old;
    ::setenv("PSCFG_ROOT", root_.path().c_str(), 1);
  }
  ~TestMachine() {
    if (old_root_) {
      ::setenv("PSCFG_ROOT", old_root_->c_str(), 1);
    } else {
      ::unsetenv("PSCFG_ROOT");
    }
  }
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  const std::filesystem::path& root() const { return root_.path(); }
  std::filesystem::path registry_file() const { return root_.path() / "registry.reg"; }
  void WriteRegistryFile(std::string_view text) const { WriteFile(registry_file(), text); }

 private:
  TempDir root_;
  std::optional<std::string> old_root_;
  sysinfo::FixedHostSource host_;
  sysinfo::ScopedHostSource scoped_host_;
};

// A host interface in one line: name, address, mask.
inline sysinfo::HostInterface Interface(std::string name, sysinfo::Ipv4 address,
                                        sysinfo::Ipv4 netmask, bool loopback = false) {
  return {std::move(name), address, netmask, loopback};
}

}  // namespace pscfg::registry::testing
