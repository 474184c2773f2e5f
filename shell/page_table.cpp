#include "shell/page_table.h"

namespace pscfg {

std::string_view PageKindName(PageKind kind) {
  switch (kind) {
    case PageKind::kGeneral:
      return "general";
    case PageKind::kIpSettings:
      return "ip-settings";
    case PageKind::kPrinterStatus:
      return "printer-status";
    case PageKind::kServerStatus:
      return "server-status";
    case PageKind::kServerSettings:
      return "server-settings";
    case PageKind::kFactoryDefaults:
      return "factory-defaults";
    case PageKind::kFirmwareUpgrade:
      return "firmware-upgrade";
    case PageKind::kDhcpSettings:
      return "dhcp-settings";
    case PageKind::kDhcpInformation:
      return "dhcp-information";
    case PageKind::kMailPrint:
      return "mail-print";
    case PageKind::kNetWareSettings:
      return "netware-settings";
    case PageKind::kNetWareInformation:
      return "netware-information";
    case PageKind::kRemotePrinter:
      return "remote-printer";
    case PageKind::kSmb:
      return "smb";
    case PageKind::kSnmp:
      return "snmp";
    case PageKind::kAppleTalk:
      return "appletalk";
  }
  return "page";
}

}  // namespace pscfg
