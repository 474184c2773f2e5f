#pragma once
// Tables of every field of each device record, in offset order.
//
// The per-block fields of record_fields.h (mail blocks of the configuration
// record, queue blocks of the status record) appear here once per block with
// the port name appended to their key ("mail_server_lpt1", "queue_name_com1").
// The status record also lists the status byte of each port
// ("port_status_lpt1" .. "port_status_com2", low two bits). Fields that share
// a byte keep their order of record_fields.h.

#include <span>
#include <string_view>

#include "protocol/record_fields.h"

namespace pscfg {

std::span<const FieldDescriptor> EEPromFields();  // EEPromImage, 512 bytes
std::span<const FieldDescriptor> StatusFields();  // PServerStatus, 481 bytes
std::span<const FieldDescriptor> InfoFields();    // PServerInfo, 66 bytes

// The descriptor whose key is `key`, or nullptr.
const FieldDescriptor* FindField(std::span<const FieldDescriptor> fields, std::string_view key);

// Per-port fields. A port without such a field gets a descriptor that lies
// outside every record: it reads as 0 or empty and is never written.

// Mail block `port` (0 LPT1 .. 2 LPT3) of the configuration record.
const FieldDescriptor& MailServerField(int port);
const FieldDescriptor& MailAccountField(int port);
const FieldDescriptor& MailPasswordField(int port);

// Queue block `port` (0 LPT1 .. 3 COM1) of the status record.
const FieldDescriptor& QueueAttachedField(int port);
const FieldDescriptor& QueueNameField(int port);
const FieldDescriptor& QueueFileServerField(int port);

// Status byte of port `port` (0 LPT1 .. 4 COM2), low two bits.
const FieldDescriptor& PortStatusField(int port);

}  // namespace pscfg
