#pragma once
// Small helpers shared by the tests of the dialog layer.

#include <QCoreApplication>
#include <QEventLoop>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>

#include "platform/ui/cdialog.h"
#include "platform/ui/data_exchange.h"

namespace pscfg::ui::testing {

// A dialog whose data exchange the test gives.
class ExchangeDialog : public CDialog {
 public:
  explicit ExchangeDialog(DialogTemplate dialog) : CDialog(std::move(dialog)) {}

  std::function<void(DataExchange&)> exchange;

  void DoDataExchange(DataExchange& dx) override {
    if (exchange) exchange(dx);
  }
};

// Runs what is queued in the event loop (posted calls, zero timers).
inline void RunPendingEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// A directory of its own, removed with its contents at the end.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() / ("pscfg_ui_" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(path_, error)) break;
    }
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace pscfg::ui::testing
