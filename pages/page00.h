#pragma once
// Page00: the General page (dialog 108, "一般設定"), the first page of both
// programs.
//
// It searches the network ("更新"), lists the servers by alias, and on a
// selection stores the selected index in the manager and reads that
// server's record and status; it shows the model and the ports the server
// has and prints a test page on the chosen port ("列印測試").
//
// The first search starts by itself: OnInitDialog posts the key that
// presses the focused button, and when the sheet opens that is "更新", the
// page's first tab stop. So the sheet is on the screen first, and exactly
// one search runs when the event loop takes the key.
//
// The page cannot be left while the server table is empty.

#include <string>

#include "shell/config_page.h"
#include "shell/server_list.h"

namespace pscfg {

namespace page00 {
inline constexpr int kDialog = 108;
inline constexpr int kServerList = 1001;
inline constexpr int kModel = 1036;
inline constexpr int kLpt1 = 1040;
inline constexpr int kLpt2 = 1041;
inline constexpr int kLpt3 = 1007;
inline constexpr int kCom1 = 1054;
inline constexpr int kCom2 = 1055;
inline constexpr int kTestPrint = 1004;
inline constexpr int kRefresh = 1013;
// The port buttons in port order: LPT1, LPT2, LPT3, COM1, COM2.
inline constexpr int kPortButtons[] = {kLpt1, kLpt2, kLpt3, kCom1, kCom2};
inline constexpr int kModelLimit = 30;
}  // namespace page00

class Page00 : public ConfigPage, public ServerList {
 public:
  explicit Page00(const VariantTraits& traits);

  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnKillActive() override;

  void ReplaceLine(int index, const std::string& alias) override;

  // The page's own values, for tests.
  int port_index() const { return port_index_; }
  const std::string& model() const { return model_; }
  bool not_yet_searched() const { return not_yet_searched_ != 0; }

 protected:
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  void Search();
  void Select();
  // n: 0 for no port, else the port index + 1.
  void Show(int n);
  void TestPrint();
  void EnablePortControls(bool enable);

  std::string model_;
  int port_index_ = -1;
  int not_yet_searched_ = 1;
};

}  // namespace pscfg
