#include "shell/celvo_dlg.h"

#include <QPixmap>
#include <algorithm>
#include <utility>

#include "platform/ui/bitmap_resources.h"
#include "shell/about_box.h"
#include "shell/program_pictures.h"
#include "shell/server_list.h"

namespace pscfg {

CCelvoDlg::CCelvoDlg(std::string caption, const VariantTraits& traits,
                     std::span<const PageSlot> pages)
    : ui::CPropertySheet(std::move(caption)), traits_(traits), discovery_(traits.discover) {
  RegisterProgramPictures();
  for (const PageSlot& slot : pages) made_.push_back({slot.kind, slot.tab, slot.make(traits)});
  icon_ = QIcon(ui::BitmapResource(kProgramIconResource, QSize(32, 32)));
  std::vector<const Made*> tabbed;
  for (const Made& made : made_) {
    if (made.tab != kNotShown) tabbed.push_back(&made);
  }
  std::stable_sort(tabbed.begin(), tabbed.end(),
                   [](const Made* a, const Made* b) { return a->tab < b->tab; });
  for (const Made* made : tabbed) AddPage(made->page.get());
}

CCelvoDlg::~CCelvoDlg() {
  DestroyWindow();
  while (!made_.empty()) made_.pop_back();  // the reverse of construction
}

void CCelvoDlg::SetManager(CPServerManager* manager) {
  manager_ = manager;
  for (Made& made : made_) {
    made.page->SetManager(manager);
    made.page->SetSheet(this);
  }
}

bool CCelvoDlg::Discover() { return manager_ != nullptr && discovery_ && discovery_(*manager_); }

void CCelvoDlg::NotifySearchDone() {
  if (search_done_) search_done_();
}

ConfigPage* CCelvoDlg::FindPage(PageKind kind) const {
  for (const Made& made : made_) {
    if (made.kind == kind) return made.page.get();
  }
  return nullptr;
}

std::optional<PageKind> CCelvoDlg::KindOf(const ui::CPropertyPage* page) const {
  for (const Made& made : made_) {
    if (page != nullptr && made.page.get() == page) return made.kind;
  }
  return std::nullopt;
}

std::vector<ConfigPage*> CCelvoDlg::pages() const {
  std::vector<ConfigPage*> all;
  for (const Made& made : made_) all.push_back(made.page.get());
  return all;
}

void CCelvoDlg::ReplaceServerLine(int index, const std::string& alias) {
  if (auto* list = dynamic_cast<ServerList*>(FindPage(PageKind::kGeneral))) {
    list->ReplaceLine(index, alias);
  }
}

void CCelvoDlg::OnSysCommand(unsigned id) {
  if ((id & 0xFFF0) == kIdmAboutBox) {
    ShowAboutBox();
  } else if ((id & 0xFFF0) == kScMinimize) {
    Minimize();
  }
}

void CCelvoDlg::ShowAboutBox() {
  CAboutBox about(traits_, branding_, this);
  about.DoModal();
}

bool CCelvoDlg::OnInitDialog() {
  ui::CPropertySheet::OnInitDialog();
  SetTabCaption(PageKind::kServerStatus, kStatusTabSuffix);
  SetTabCaption(PageKind::kServerSettings, kSettingsTabSuffix);
  // The window menu outlives the window here; it gets its items once.
  if (!window_menu_extended_) {
    window_menu_extended_ = true;
    if (!kAboutMenuText.empty()) {
      AddSystemMenuSeparator();
      AddSystemMenuItem(std::string(kAboutMenuText), [this] { OnSysCommand(kIdmAboutBox); });
    }
    AddSystemMenuItem(std::string(kMinimizeMenuText), [this] { OnSysCommand(kScMinimize); });
  }
  SetIcon(icon_);
  EnableMinimizeBox();
  return true;
}

void CCelvoDlg::SetTabCaption(PageKind kind, std::string_view suffix) {
  const int index = GetPageIndex(FindPage(kind));
  if (index < 0 || manager_ == nullptr) return;
  SetTabText(index, manager_->title() + std::string(suffix));
}

}  // namespace pscfg
