#pragma once
// The open-file common dialog.

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace pscfg::ui {

// One entry of the file-type list, e.g. {"BinFile", "*.bin"}. Several
// patterns are separated by ';' as in "*.bin;*.img".
struct FileFilter {
  std::string description;
  std::string pattern;

  bool operator==(const FileFilter&) const = default;
};

struct OpenFileRequest {
  std::string title;              // empty: the platform's own caption
  std::string initial_directory;  // empty: the current directory
  std::string file_name;          // proposed file name, without directory
  std::string default_extension;  // appended when the user types a name without one
  std::vector<FileFilter> filters;

  bool operator==(const OpenFileRequest&) const = default;
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // The full path of an existing file the user chose, or nothing when the
  // user cancelled. The current directory does not change.
  virtual std::optional<std::string> GetOpenFileName(QWidget* parent,
                                                     const OpenFileRequest& request) = 0;
};

}  // namespace pscfg::ui
