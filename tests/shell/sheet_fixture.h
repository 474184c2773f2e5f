#pragma once
// A program's sheet over the scripted network, opened as the program opens
// it (not modal): the General page first, its first search run.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <filesystem>
#include <memory>
#include <ostream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "ipx/ipx_transport.h"
#include "platform/ui/test_services.h"
#include "protocol/server_manager.h"
#include "shell/celvo_dlg.h"
#include "shell/variant_traits.h"
#include "tests/shell/scripted_network.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scripted_socket_api.h"
#include "tests/support/temp_dir.h"
#include "udp/udp_transport.h"

namespace pscfg {

// Test names and messages name the program, not the enum's bytes.
inline void PrintTo(Variant variant, std::ostream* out) { *out << TraitsOf(variant).program_name; }

}  // namespace pscfg

namespace pscfg::testing {

// Runs what is queued in the event loop (posted calls, zero timers).
inline void RunPendingEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

class ScriptedSheet {
 public:
  explicit ScriptedSheet(Variant variant, std::string title = "Print Server")
      : traits_(TraitsOf(variant)), network_(api_, variant) {
    if (variant == Variant::kHalvex) {
      transport_ = std::make_unique<IpxTransport>(api_);
    } else {
      transport_ = std::make_unique<UdpTransport>(api_);
    }
    manager_ = std::make_unique<CPServerManager>(*transport_, reporter_);
    manager_->set_title(std::move(title));
    manager_->set_program_directory(dir_.path().string());  // no Config.ini: type 0 only
  }
  ~ScriptedSheet() { sheet_.reset(); }

  // Builds the sheet from `pages` and shows it; with `search` the queued
  // first search runs too.
  void Open(std::span<const PageSlot> pages, bool search = true) {
    sheet_ = std::make_unique<CCelvoDlg>(ProgramCaption(manager_->title()), traits_, pages);
    sheet_->SetManager(manager_.get());
    sheet_->SetBranding({manager_->title(), "Notice", "Version 4.0"});
    if (traits_.variant == Variant::kHalvex) {
      sheet_->SetDiscovery([this](CPServerManager& m) { return network_.FillTable(m); });
    }
    sheet_->OnSearchDone([this] { ++searches_; });
    ASSERT_TRUE(sheet_->Create());
    if (search) RunPendingEvents();
  }

  const VariantTraits& traits() const { return traits_; }
  ui::TestServices& services() { return services_; }
  ScriptedSocketApi& api() { return api_; }
  ScriptedNetwork& network() { return network_; }
  CPServerManager& manager() { return *manager_; }
  CCelvoDlg& sheet() { return *sheet_; }
  const std::filesystem::path& program_directory() const { return dir_.path(); }
  int searches() const { return searches_; }

 private:
  const VariantTraits& traits_;
  ui::TestServices services_;
  TempDir dir_;
  ScriptedSocketApi api_;
  ScriptedNetwork network_;
  RecordingReporter reporter_;
  std::unique_ptr<DeviceTransport> transport_;
  std::unique_ptr<CPServerManager> manager_;
  std::unique_ptr<CCelvoDlg> sheet_;
  int searches_ = 0;
};

}  // namespace pscfg::testing
