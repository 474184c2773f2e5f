#pragma once
// Hooks for scripted runs of the configuration program (the demo and the
// start-up benchmark), switched on by environment variables:
//
//   PSCFG_SCREENSHOTS=DIR       after the first search, activates every page
//                               in tab order, saves a picture of the sheet
//                               as DIR/NN-<page>.png (01-general.png, ...;
//                               the General page also as 01-general-list.png
//                               with its server list open) and ends the
//                               sheet with OK. Message boxes
//                               meanwhile go to stderr and answer
//                               themselves, so the run needs nobody.
//   PSCFG_FIRST_PAINT_REPORT=1  writes "first paint: N ms" to stderr when
//                               the sheet is first painted and "search
//                               done: N ms, K servers" after the first
//                               search, N counted from the start of the
//                               process.
//
// Without them nothing changes.

#include <QObject>
#include <memory>
#include <string>

#include "platform/ui/services.h"
#include "shell/celvo_dlg.h"

namespace pscfg {

inline constexpr const char* kScreenshotsVariable = "PSCFG_SCREENSHOTS";
inline constexpr const char* kFirstPaintReportVariable = "PSCFG_FIRST_PAINT_REPORT";

// Milliseconds since this process started (from the kernel's start time).
long long MillisecondsSinceProcessStart();

class RunHooks {
 public:
  RunHooks();
  ~RunHooks();
  RunHooks(RunHooks&&) noexcept;
  RunHooks& operator=(RunHooks&&) noexcept;

  static RunHooks FromEnvironment();

  void set_screenshot_directory(std::string directory) { screenshots_ = std::move(directory); }
  void set_first_paint_report(bool on) { first_paint_report_ = on; }

  // Before the sheet is shown; the hooks stay in force while this object
  // lives.
  void Attach(CCelvoDlg& sheet);

  // The screenshot tour itself: every page once, then OK. False when a
  // picture could not be saved (it says so on stderr).
  static bool SaveEveryPage(CCelvoDlg& sheet, const std::string& directory);

 private:
  struct Installed;

  std::string screenshots_;
  bool first_paint_report_ = false;
  std::unique_ptr<Installed> installed_;
};

}  // namespace pscfg
