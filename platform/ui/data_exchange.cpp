#include "platform/ui/data_exchange.h"

namespace pscfg::ui {

void DataExchange::Fail() {
  failed_ = true;
  if (save_and_validate_) window_.GotoDlgCtrl(last_control_);
}

}  // namespace pscfg::ui
