#pragma once
// CCelvoDlg: the one modal property sheet of the configuration programs.
//
// It makes the program's pages from its page table (page_table.h), adds the
// ones that are shown in tab order, and gives two tabs captions built from
// the title: the print-server status page title + " 狀態", the
// print-server settings page title + " 設定" (when the program has them).
// Its window menu gets a separator, "關於" (the about box) and "Minimize";
// it carries the program icon. Tab changes are the pages' own business.
//
// Besides, the sheet is where pages meet: the program's search (for the
// General page), the General page's list (for the alias change), the page
// of a kind (for the General page's switch to the firmware upgrade page),
// and a hook called after every search (for scripted runs).

#include <QIcon>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ui/cproperty_sheet.h"
#include "protocol/server_manager.h"
#include "shell/branding.h"
#include "shell/config_page.h"
#include "shell/page_table.h"
#include "shell/variant_traits.h"

namespace pscfg {

// Window-menu command ids: the about item (any id whose value without the
// low four bits is 0x10) and the platform's minimize command.
inline constexpr unsigned kIdmAboutBox = 0x0010;
inline constexpr unsigned kScMinimize = 0xF020;
inline constexpr std::string_view kAboutMenuText = "關於";  // string 101
inline constexpr std::string_view kMinimizeMenuText = "Minimize";
inline constexpr std::string_view kStatusTabSuffix = " 狀態";
inline constexpr std::string_view kSettingsTabSuffix = " 設定";

class CCelvoDlg : public ui::CPropertySheet {
 public:
  using Discovery = std::function<bool(CPServerManager&)>;

  CCelvoDlg(std::string caption, const VariantTraits& traits, std::span<const PageSlot> pages);
  ~CCelvoDlg() override;

  const VariantTraits& traits() const { return traits_; }

  // Start-up: the manager for the sheet and every page, and the sheet for
  // every page. Not owned.
  void SetManager(CPServerManager* manager);
  CPServerManager* manager() const { return manager_; }
  // The about box's texts.
  void SetBranding(Branding branding) { branding_ = std::move(branding); }
  const Branding& branding() const { return branding_; }

  // The program's search; the variant's own unless replaced (tests).
  void SetDiscovery(Discovery discovery) { discovery_ = std::move(discovery); }
  bool Discover();
  // Called by the General page when a search is over, with its result
  // shown; runs the hook.
  void NotifySearchDone();
  void OnSearchDone(std::function<void()> hook) { search_done_ = std::move(hook); }

  // The page of `kind`, whether or not it has a tab; null when the program
  // has none.
  ConfigPage* FindPage(PageKind kind) const;
  // The kind of a page the sheet made; nullopt for any other.
  std::optional<PageKind> KindOf(const ui::CPropertyPage* page) const;
  // Every page the sheet made, in construction order.
  std::vector<ConfigPage*> pages() const;
  // The General page's list: line `index` := `alias` (UTF-8).
  void ReplaceServerLine(int index, const std::string& alias);

  // WM_SYSCOMMAND of the window-menu items.
  void OnSysCommand(unsigned id);
  // Shows the about box modally.
  virtual void ShowAboutBox();

  bool OnInitDialog() override;

 private:
  struct Made {
    PageKind kind;
    int tab;
    std::unique_ptr<ConfigPage> page;
  };

  void SetTabCaption(PageKind kind, std::string_view suffix);

  const VariantTraits& traits_;
  std::vector<Made> made_;
  CPServerManager* manager_ = nullptr;
  Branding branding_;
  Discovery discovery_;
  std::function<void()> search_done_;
  QIcon icon_;
  bool window_menu_extended_ = false;
};

}  // namespace pscfg
