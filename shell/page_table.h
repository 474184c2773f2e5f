#pragma once
// The pages of one program's sheet, as a table.
//
// Each row names a page by its kind, says where its tab goes and how to make
// it. The sheet makes the pages in row order (the order in which the
// program constructs them) and adds them to the tabs in tab order; a page
// with tab kNotShown is made but never added (Dornel's SMB page). A later
// page is one more row in each program's table (pages/sheet_pages.cpp).

#include <memory>
#include <string_view>

namespace pscfg {

class ConfigPage;
struct VariantTraits;

enum class PageKind {
  kGeneral,
  kIpSettings,
  kPrinterStatus,
  kServerStatus,
  kServerSettings,
  kFactoryDefaults,
  kFirmwareUpgrade,
  kDhcpSettings,
  kDhcpInformation,
  kMailPrint,
  kNetWareSettings,
  kNetWareInformation,
  kRemotePrinter,
  kSmb,
  kSnmp,
  kAppleTalk,
};

// A short ASCII name of the kind ("general", "ip-settings", ...), for file
// names and messages.
std::string_view PageKindName(PageKind kind);

inline constexpr int kNotShown = -1;

struct PageSlot {
  PageKind kind;
  int tab;  // 0 for the first tab; kNotShown
  std::unique_ptr<ConfigPage> (*make)(const VariantTraits& traits);
};

template <class Page>
std::unique_ptr<ConfigPage> MakePage(const VariantTraits& traits) {
  return std::make_unique<Page>(traits);
}

}  // namespace pscfg
