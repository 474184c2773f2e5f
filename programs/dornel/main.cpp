// Dornel: the configuration program that speaks to the print servers in UDP
// broadcasts. Its sockets keep the windows drawn while an exchange waits.

#include "pages/sheet_pages.h"
#include "platform/net/posix_socket_api.h"
#include "platform/ui/repainting_socket_api.h"
#include "shell/config_app.h"
#include "udp/udp_transport.h"

int main(int argc, char** argv) {
  pscfg::net::PosixSocketApi system_sockets;
  pscfg::ui::RepaintingSocketApi sockets(system_sockets);
  pscfg::UdpTransport transport(sockets);
  pscfg::CConfigApp app({
      .traits = &pscfg::TraitsOf(pscfg::Variant::kDornel),
      .pages = pscfg::SheetPages(pscfg::Variant::kDornel),
      .sockets = &sockets,
      .transport = &transport,
  });
  return app.Run(argc, argv);
}
