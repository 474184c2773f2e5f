#pragma once
// How psctl prints the server table and the records: plain text, one field
// a line, or JSON. Texts from the device (CP950) are shown in UTF-8.

#include <cstdint>
#include <span>
#include <string>

#include "protocol/server_manager.h"

namespace pscfg::psctl {

std::string NodeText(const NodeAddress& node);
// The alias of an entry in UTF-8.
std::string AliasText(const PServerEntry& entry);

std::string ServerTableText(const CPServerManager& manager, bool json);
std::string ServerInfoText(const PServerEntry& entry, bool json);
std::string RecordText(std::span<const std::uint8_t> record, std::uint8_t model_suffix, bool json);
std::string StatusText(std::span<const std::uint8_t> status, std::span<const std::uint8_t> record,
                       bool json);
std::string PrinterStatusText(std::span<const std::uint8_t> printer_status, int port, bool json);

}  // namespace pscfg::psctl
