#include "shell/config_app.h"

#include <memory>
#include <utility>

#include "platform/process/module_path.h"
#include "platform/ui/services.h"
#include "protocol/server_manager.h"
#include "shell/message_box_reporter.h"
#include "shell/run_hooks.h"

namespace pscfg {

CConfigApp::CConfigApp(ProgramSetup setup) : setup_(std::move(setup)) {}

// Windows Sockets start-up has no counterpart here; what it promised is a
// datagram socket, so the program tries one.
bool CConfigApp::SocketsUsable() {
  net::SocketApi& api = *setup_.sockets;
  const net::Socket s = api.socket(net::kAfInet, net::kSockDgram, net::kIpprotoUdp);
  if (s == net::kInvalidSocket) return false;
  api.closesocket(s);
  return true;
}

bool CConfigApp::InitInstance() {
  const VariantTraits& traits = *setup_.traits;
  if (!SocketsUsable()) {
    ui::GetServices().message_box->Show(nullptr, std::string(traits.sockets_failed_message),
                                        ui::AfxGetAppName(), ui::MessageButtons::kOk,
                                        ui::MessageIcon::kNone);
    return false;
  }

  MessageBoxReporter reporter;
  auto manager = std::make_unique<CPServerManager>(*setup_.transport, reporter);
  const std::filesystem::path module_file =
      setup_.module_file.empty() ? process::ModuleFileName() : setup_.module_file;
  manager->set_program_directory(process::ProgramDirectoryOf(module_file.string()));
  branding_ = ReadBranding(manager->config_file());
  manager->set_title(branding_.title);

  {
    CCelvoDlg sheet(ProgramCaption(branding_.title), traits, setup_.pages);
    sheet.SetManager(manager.get());
    sheet.SetBranding(branding_);
    ShowSheet(sheet);
  }
  manager.reset();
  return false;
}

void CConfigApp::ShowSheet(CCelvoDlg& sheet) {
  RunHooks hooks = RunHooks::FromEnvironment();
  hooks.Attach(sheet);
  sheet.DoModal();
}

}  // namespace pscfg
