#pragma once
// The messages that callers of the device operations show, shared by every
// page and by psctl.

#include <string>
#include <string_view>

namespace pscfg::messages {

inline constexpr std::string_view kCannotWriteEEProm = "無法寫入列印伺服器的EEPROM";
inline constexpr std::string_view kCannotReadEEProm = "無法讀取列印伺服器的EEPROM";
inline constexpr std::string_view kCannotReadStatus = "無法讀取列印伺服器的狀態";
inline constexpr std::string_view kUpdateFirmwareFirst = "請先更新列印伺服器軔體";
inline constexpr std::string_view kAliasChanged = "列印伺服器別名已經改變, 必須[重置]使它生效";

// "%s 沒有回應" with the alias (already in UTF-8) for %s.
inline std::string NoAnswer(std::string_view alias) { return std::string(alias) + " 沒有回應"; }

}  // namespace pscfg::messages
