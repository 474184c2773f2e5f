#pragma once
// Device files: one emulated print server per file.
//
// A device file is UTF-8 text of `key = value` lines; blank lines and lines
// whose first non-blank character is '#' are ignored. The value is the rest
// of the line with surrounding blanks removed, taken literally (quotes are
// part of it). Texts go into the records as CP950. Every key may appear once.
//
//   node = 00:40:01:12:34:56     required; also the record's Ethernet address
//   device_name = PS123456       identity block, at most 8 characters
//   alias = Office               record alias, at most 15 bytes
//   vendor, type, model_suffix   identity block bytes, 0-255 (0x.. allowed)
//   firmware_complete = 0|1
//   capabilities = 0x02          identity block byte 65 (0x02: printer status)
//   parallel_ports, serial_ports 0-3, record byte 8
//   ip_address = 192.168.1.20    record IP address (0.0.0.0: obtained by DHCP)
//   state.LPT1 = ready|offline|paper_out|running    (LPT1 LPT2 LPT3 COM1 COM2)
//   display.LPT1 = "READY"       block 1 text after "DISPLAY="
//   entries.LPT1 = Toner low;Tray 2 empty;           block 2
//   record.<key> = value         any field of the configuration record
//   status.<key> = value         any field of the status record, forced
//   reset_silence_ms = 1500
//   fault.silent, fault.wrong_command, fault.split_reply = 0|1
//   fault.answer_after, fault.drop_every, fault.oversize = count
//
// record.* and status.* keys are those of the records' field tables
// ("record.smb_workgroup", "status.speed_code"), their values those of the
// field codec (numbers in decimal). record.* keys change the record the
// device boots with when it has no saved one; the checksum is set after
// them unless record.checksum is given. status.* values replace what the
// device would report in that field.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "testbed/psemu/device_config.h"

namespace pscfg::psemu {

// Parses `text`; errors read "<source>:<line>: <what>".
bool ParseDeviceFile(std::string_view text, const std::string& source, DeviceConfig* config,
                     std::string* error);

bool LoadDeviceFile(const std::filesystem::path& path, DeviceConfig* config, std::string* error);

// Device files named on the command line: a directory stands for every
// *.dev file in it, in name order.
bool ExpandDeviceFiles(const std::vector<std::string>& arguments,
                       std::vector<std::filesystem::path>* files, std::string* error);

}  // namespace pscfg::psemu
