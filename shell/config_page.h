#pragma once
// ConfigPage: what every property page of the configuration programs does
// the same way.
//
// A page derives from it, passes its template and which header parts it
// has, and then holds only what is its own. The base gives:
// - the manager and sheet pointers (start-up sets them; neither is owned);
// - the header: the title control shows the configured title, and on every
//   data exchange the picture is loaded from "logo.bmp" in the program
//   directory (the program's own bitmap stays when that fails); on the
//   General, IP settings and DHCP server information pages also the name
//   label, which reads " 名稱";
// - the firmware gate of OnSetActive;
// - the sheet caption: the program caption or the selected alias;
// - the write step of the "寫入" buttons, the alias change, the reset of the
//   "重置" buttons, with their messages and the wait cursor.
//
// Derived pages override DoDataExchange and call ConfigPage::DoDataExchange
// first; they override OnInitDialog, OnSetActive and OnKillActive and end
// them with the base call as the page's own description says.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/ui/cproperty_page.h"
#include "platform/ui/data_exchange.h"
#include "protocol/messages.h"
#include "protocol/server_manager.h"
#include "shell/variant_traits.h"

namespace pscfg {

class CCelvoDlg;

struct PageParts {
  bool header = true;       // picture, title and line (page_template.h)
  bool name_label = false;  // the label beside the server name
};

class ConfigPage : public ui::CPropertyPage {
 public:
  ConfigPage(const VariantTraits& traits, ui::DialogTemplate dialog, PageParts parts = {});

  void SetManager(CPServerManager* manager) { manager_ = manager; }
  void SetSheet(CCelvoDlg* sheet) { sheet_ = sheet; }
  CPServerManager* manager() const { return manager_; }
  CCelvoDlg* sheet() const { return sheet_; }
  const VariantTraits& traits() const { return traits_; }

  // Base, then the header title := the manager's title, the name label :=
  // " 名稱", and the values into the controls.
  bool OnInitDialog() override;

 protected:
  // Binds the header title and the name label, then loads logo.bmp into
  // the header picture.
  void DoDataExchange(ui::DataExchange& dx) override;

  // The selected entry, or null while the selected index names none.
  PServerEntry* SelectedEntry() const;
  // The selected alias as the user reads it (UTF-8).
  std::string SelectedAlias() const;

  // An OK box with the application's caption.
  void ShowMessage(std::string_view text);
  // A validation message: the OK box, then the focus on `control_id`.
  // Returns false, for `return Refuse(...)` in a validation hook.
  bool Refuse(std::string_view text, int control_id);

  // The firmware gate, the first step of a gated page's OnSetActive:
  //   if (!FirmwareGate()) return true;
  // Enables the page; when the selected server's firmware is incomplete it
  // says "請先更新列印伺服器軔體", disables the page and returns false.
  bool FirmwareGate();

  // The sheet caption: the title and " 設定程式  3.0", or the selected alias.
  void SetProgramCaption();
  void SetAliasCaption();

  // The "寫入" button: UpdateData(TRUE); `validate` (shows its own message
  // and returns false to stop); `encode` into the manager's record; then
  // XWritePServerEEProm under the wait cursor, saying `failure_message`
  // when it fails. True when the record was written. The edits stay in the
  // manager's record either way.
  using Validate = std::function<bool()>;
  using Encode = std::function<void(std::span<std::uint8_t> record)>;
  bool WriteRecord(const Validate& validate, const Encode& encode,
                   std::string_view failure_message = messages::kCannotWriteEEProm);

  // The alias change before a write: when `alias` (record bytes, CP950)
  // differs from the selected entry's, it goes into the entry and into the
  // record, the General page's list shows it, and the user is told that
  // "重置" applies it. True when it differed. The caller has checked that
  // it fits the record's 15 bytes.
  bool ChangeAlias(std::string_view alias);
  // The line of the selected server in the General page's list := `alias`
  // (CP950), and "列印伺服器別名已經改變, 必須[重置]使它生效".
  void ShowNewAlias(std::string_view alias);

  // The "重置" button: reset, up to 20 probes, then the record and the
  // status read again, saying "%s 沒有回應" for what fails.
  void ResetServer();

 private:
  void EmphasizeTitle();

  const VariantTraits& traits_;
  PageParts parts_;
  CPServerManager* manager_ = nullptr;
  CCelvoDlg* sheet_ = nullptr;
  std::string header_title_;
  std::string name_label_;
};

}  // namespace pscfg
