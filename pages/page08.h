#pragma once
// Page08: the print-server settings page of both programs: the alias, the
// protocol switches and the self-test page (record bytes 16 to 31 and the
// bits of byte 72).
//
//                     Halvex                         Dornel
//   dialog, caption   133, "列印伺服器設定"           109, "Plintrex Cfg"
//   check boxes       self-test page, TCP/IP,        self-test page, NetBEUI,
//                     NetWare, NetBEUI, AppleTalk    AppleTalk, "出廠預設值"
//   firmware gate     yes                            no
//   caption on leave  program caption                unchanged
//
// A box whose protocol the firmware lacks (capability byte 489) is shown
// clear and disabled, and a write then sends its bit as 0. Dornel's
// "出廠預設值" box makes the next write put the factory defaults into the
// record instead of the page's values (Dornel has no Factory defaults page).
// The sheet shows the tab as the title followed by " 設定".
//
// Dornel builds call its class Page06; here one class serves both programs,
// since Page06 is also Halvex's NetWare information page.

#include <string>

#include "shell/config_page.h"

namespace pscfg {

namespace page08 {
// Control ids of one program's variant; 0 where it has no such control.
struct Ids {
  int dialog;
  int alias;
  int self_test_page;
  int tcpip;
  int netware;
  int netbeui;
  int appletalk;
  int factory_defaults;
  int write;
  int reset;
};
inline constexpr Ids kHalvexIds{133, 1129, 1023, 1021, 1130, 1131, 1158, 0, 1022, 1063};
inline constexpr Ids kDornelIds{109, 1004, 1005, 0, 0, 1051, 1053, 1009, 1006, 1007};
inline constexpr int kAliasLimit = 15;
const Ids& IdsOf(Variant variant);
}  // namespace page08

class Page08 : public ConfigPage {
 public:
  explicit Page08(const VariantTraits& traits);

  bool OnSetActive() override;
  bool OnKillActive() override;

 protected:
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  bool FillHalvex();
  bool FillDornel();
  // The capability bit `capability` of byte 489 offers the protocol of box
  // `id`: enabled with the value of `flag`, else disabled and clear.
  int ProtocolBox(int id, std::uint8_t capability, const FieldDescriptor& flag);
  void FactoryDefaultsClicked();
  void Write();
  void EncodeHalvex(std::span<std::uint8_t> record);
  void EncodeDornel(std::span<std::uint8_t> record);
  // The alias of the edit in the record's code page.
  std::string DeviceAlias() const;

  const page08::Ids& ids_;
  std::string alias_;
  int self_test_page_ = 0;
  int tcpip_ = 0;
  int netware_ = 0;
  int netbeui_ = 0;
  int appletalk_ = 0;
  int factory_defaults_ = 0;
};

}  // namespace pscfg
