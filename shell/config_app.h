#pragma once
// CConfigApp: the application object of Halvex and Dornel.
//
// InitInstance is the whole run: check that sockets can be used, create the
// manager, take the program directory from the program file's own path,
// read the branding from Config.ini beside it, build the sheet with the
// program caption and the variant's pages, give everybody the manager,
// show the sheet modally and clean up. It returns false, so the program ends
// after it.

#include <filesystem>
#include <span>
#include <string>

#include "platform/net/socket_api.h"
#include "platform/ui/cwin_app.h"
#include "protocol/device_transport.h"
#include "shell/branding.h"
#include "shell/celvo_dlg.h"
#include "shell/page_table.h"
#include "shell/variant_traits.h"

namespace pscfg {

// What one program brings to the common start-up.
struct ProgramSetup {
  const VariantTraits* traits = nullptr;
  std::span<const PageSlot> pages;
  net::SocketApi* sockets = nullptr;       // checked at start-up
  DeviceTransport* transport = nullptr;    // the manager's, over those sockets
  std::filesystem::path module_file = {};  // empty: this process's program file
};

class CConfigApp : public ui::CWinApp {
 public:
  explicit CConfigApp(ProgramSetup setup);

  bool InitInstance() override;

  // The three Config.ini strings, once InitInstance has read them.
  const Branding& branding() const { return branding_; }

 protected:
  // Step 9: shows the sheet modally (with the hooks of a scripted run,
  // run_hooks.h). Tests look at the sheet here instead.
  virtual void ShowSheet(CCelvoDlg& sheet);

 private:
  bool SocketsUsable();

  ProgramSetup setup_;
  Branding branding_;
};

}  // namespace pscfg
