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
#include "tests/support/temp_dir.h"

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

using pscfg::testing::TempDir;

}  // namespace pscfg::ui::testing
