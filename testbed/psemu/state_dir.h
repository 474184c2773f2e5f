#pragma once
// Where emulated devices keep what must survive a restart.
//
//   <dir>/<node>.eeprom      the stored configuration record, 512 bytes
//   <dir>/<node>-<PORT>.prn  test pages printed on a port, appended
//
// <node> is the node address in lower-case hexadecimal with '-' between the
// bytes ("00-40-01-12-34-56"). A record is replaced atomically (temporary
// file, fsync, rename, fsync of the directory), so a crash leaves either
// the old or the new file. A StateDir without a directory keeps nothing.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "testbed/psemu/device_config.h"

namespace pscfg::psemu {

std::string NodeFileName(const NodeAddress& node);

class StateDir {
 public:
  StateDir() = default;
  explicit StateDir(std::filesystem::path dir) : dir_(std::move(dir)) {}

  bool enabled() const { return !dir_.empty(); }
  const std::filesystem::path& dir() const { return dir_; }

  std::filesystem::path RecordPath(const NodeAddress& node) const;
  std::filesystem::path TestPagePath(const NodeAddress& node, std::string_view port_name) const;

  // *found is false when no record was saved; false (with *error) when a
  // saved one cannot be read or has the wrong size.
  bool LoadRecord(const NodeAddress& node, Record* out, bool* found, std::string* error) const;
  bool SaveRecord(const NodeAddress& node, std::span<const std::uint8_t> record,
                  std::string* error) const;
  bool AppendTestPage(const NodeAddress& node, std::string_view port_name, std::string_view page,
                      std::string* error) const;

 private:
  std::filesystem::path dir_;
};

}  // namespace pscfg::psemu
