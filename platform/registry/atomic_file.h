#pragma once
// Replacing a file so that a crash never leaves a half-written one: the
// bytes go to a temporary file beside it (".NAME.XXXXXX"), which is synced
// and then renamed over the file; the folder is synced last. On any failure
// the temporary file is removed and the old file stays as it was. Missing
// folders on the way are created.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace pscfg::registry {

// Places where a test can make the write fail; empty ones do the real thing.
struct AtomicWriteSeams {
  std::function<bool(int fd)> sync_file;
  std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)> rename;
};

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error, const AtomicWriteSeams& seams = {});

}  // namespace pscfg::registry
