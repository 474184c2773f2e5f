#include "pages/sheet_pages.h"

#include "pages/page00.h"
#include "pages/page01.h"
#include "pages/page02.h"
#include "pages/page03.h"
#include "pages/page07.h"
#include "pages/page08.h"

namespace pscfg {
namespace {

// Rows in construction order; the tab column is the place in the sheet.
//
// Halvex's tabs: General, Print-server status, Printer status, IP settings,
// NetWare settings, Remote printer, NetWare information, Print-server
// settings, Factory defaults, Firmware upgrade, DHCP server settings, DHCP
// server information, Mail print, SNMP, AppleTalk (0 to 14).
const PageSlot kHalvexPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kIpSettings, 3, &MakePage<Page01>},
    {PageKind::kPrinterStatus, 2, &MakePage<Page02>},
    {PageKind::kServerStatus, 1, &MakePage<Page03>},
    {PageKind::kFactoryDefaults, 8, &MakePage<Page07>},
    {PageKind::kServerSettings, 7, &MakePage<Page08>},
};

// Dornel's tabs: General, Print-server status, Printer status,
// Print-server settings, IP settings, DHCP server settings, DHCP server
// information, Firmware upgrade, Mail print, SNMP, AppleTalk (0 to 10);
// the SMB page is made (after Mail print) but never shown.
const PageSlot kDornelPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kIpSettings, 4, &MakePage<Page01>},
    {PageKind::kPrinterStatus, 2, &MakePage<Page02>},
    {PageKind::kServerStatus, 1, &MakePage<Page03>},
    {PageKind::kServerSettings, 3, &MakePage<Page08>},
};

}  // namespace

std::span<const PageSlot> SheetPages(Variant variant) {
  if (variant == Variant::kHalvex) return kHalvexPages;
  return kDornelPages;
}

}  // namespace pscfg
