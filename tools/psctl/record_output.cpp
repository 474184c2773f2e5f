#include "tools/psctl/record_output.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/text/codepage.h"
#include "protocol/records/address_text.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/field_tables.h"
#include "protocol/records/model_string.h"
#include "protocol/records/printer_status.h"
#include "protocol/records/server_status.h"
#include "tools/psctl/json_writer.h"

namespace pscfg::psctl {

namespace {

constexpr std::string_view kPortNames[kPortCount] = {"LPT1", "LPT2", "LPT3", "COM1", "COM2"};

// One printed line or JSON member.
struct Item {
  std::string key;
  std::string label;
  std::string text;  // UTF-8
  FieldValueKind kind = FieldValueKind::kText;
  unsigned number = 0;
};

Item FieldItem(const FieldDescriptor& field, std::span<const std::uint8_t> record) {
  Item item{std::string(field.key), std::string(field.label),
            text::Cp950ToUtf8(FormatField(field, record)), ValueKind(field), 0};
  item.number = FieldNumber(field, record);
  return item;
}

Item TextItem(std::string key, std::string label, std::string text) {
  return {std::move(key), std::move(label), std::move(text), FieldValueKind::kText, 0};
}

std::string Render(const std::vector<Item>& items, bool json) {
  if (json) {
    JsonWriter out;
    out.BeginObject();
    for (const Item& item : items) {
      out.Key(item.key);
      switch (item.kind) {
        case FieldValueKind::kText:
          out.String(item.text);
          break;
        case FieldValueKind::kNumber:
          out.Number(item.number);
          break;
        case FieldValueKind::kBool:
          out.Bool(item.number != 0);
          break;
      }
    }
    out.EndObject();
    return out.str() + "\n";
  }
  std::size_t width = 0;
  for (const Item& item : items) width = std::max(width, item.label.size());
  std::string text;
  for (const Item& item : items) {
    text += item.label + ":" + std::string(width - item.label.size() + 1, ' ') + item.text + "\n";
  }
  return text;
}

void WriteEntry(JsonWriter& out, const PServerEntry& entry) {
  out.BeginObject();
  out.Key("alias").String(AliasText(entry));
  out.Key("node").String(NodeText(entry.node_address));
  out.Key("ip").String(FormatIpv4(entry.ip_address));
  out.Key("tcpip").Bool(entry.tcpip != 0);
  out.Key("device_name").String(text::Cp950ToUtf8(FormatField(info::kDeviceName, entry.info)));
  out.Key("vendor").Number(entry.Vendor());
  out.Key("type").Number(entry.Type());
  out.Key("model_suffix").Number(entry.ModelSuffix());
  out.Key("firmware_complete").Bool(entry.FirmwareComplete() != 0);
  out.Key("capabilities").Number(entry.Capabilities());
  out.EndObject();
}

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
  return text;
}

}  // namespace

std::string NodeText(const NodeAddress& node) {
  char text[18];
  std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", node[0], node[1], node[2],
                node[3], node[4], node[5]);
  return text;
}

std::string AliasText(const PServerEntry& entry) { return text::Cp950ToUtf8(entry.Alias()); }

std::string ServerTableText(const CPServerManager& manager, bool json) {
  if (json) {
    JsonWriter out;
    out.BeginArray();
    for (int i = 0; i < manager.server_count(); ++i) WriteEntry(out, manager.server(i));
    out.EndArray();
    return out.str() + "\n";
  }
  std::string text;
  char line[256];
  std::snprintf(line, sizeof line, "%-17s  %-15s  %-5s  %-8s  %-6s  %-4s  %-6s  %-8s  %s\n", "node",
                "ip", "tcpip", "device", "vendor", "type", "suffix", "firmware", "alias");
  text += line;
  for (int i = 0; i < manager.server_count(); ++i) {
    const PServerEntry& e = manager.server(i);
    std::snprintf(
        line, sizeof line, "%-17s  %-15s  %-5s  %-8s  %-6u  %-4u  %-6s  %-8s  ",
        NodeText(e.node_address).c_str(), FormatIpv4(e.ip_address).c_str(), e.tcpip ? "yes" : "no",
        text::Cp950ToUtf8(FormatField(info::kDeviceName, e.info)).c_str(), e.Vendor(), e.Type(),
        Hex2(e.ModelSuffix()).c_str(), e.FirmwareComplete() ? "complete" : "partial");
    text += line + AliasText(e) + "\n";
  }
  text += std::to_string(manager.server_count()) + " print server(s)\n";
  return text;
}

std::string ServerInfoText(const PServerEntry& entry, bool json) {
  if (json) {
    JsonWriter out;
    WriteEntry(out, entry);
    return out.str() + "\n";
  }
  std::vector<Item> items;
  for (const FieldDescriptor& field : InfoFields()) items.push_back(FieldItem(field, entry.info));
  items.push_back(TextItem("node", "Node address", NodeText(entry.node_address)));
  return Render(items, false);
}

std::string RecordText(std::span<const std::uint8_t> record, std::uint8_t model_suffix, bool json) {
  std::vector<Item> items;
  items.push_back(TextItem("model", "Model", ModelString(record, model_suffix)));
  items.push_back(TextItem("firmware_code", "Firmware code", FirmwareCodeText(record)));
  for (const FieldDescriptor& field : EEPromFields()) items.push_back(FieldItem(field, record));
  return Render(items, json);
}

std::string StatusText(std::span<const std::uint8_t> status, std::span<const std::uint8_t> record,
                       bool json) {
  std::vector<Item> items;
  items.push_back(TextItem("frame_type_text", "Frame type (shown)", FrameTypeText(status, record)));
  for (int port = 0; port < kPortCount; ++port) {
    items.push_back(TextItem("port_state_" + std::string(kPortNames[port]),
                             "Printer " + std::string(kPortNames[port]),
                             std::string(PortStateTextOfPort(status, port))));
  }
  items.push_back(
      TextItem("netbeui_state_text", "NetBEUI", std::string(NetBeuiStateText(status, record))));
  items.push_back(TextItem("speed_text", "Speed", std::string(SpeedText(status, record))));
  items.push_back(TextItem("dhcp_server_state_text", "DHCP server",
                           std::string(DhcpServerStateText(DhcpServerFields(status).state))));
  for (const FieldDescriptor& field : StatusFields()) items.push_back(FieldItem(field, status));
  for (Item& item : items) {
    // Lower-case keys for the port names too, like the field tables.
    for (char& c : item.key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return Render(items, json);
}

std::string PrinterStatusText(std::span<const std::uint8_t> printer_status, int port, bool json) {
  const std::string display = text::Cp950ToUtf8(DisplayText(printer_status));
  std::vector<std::string> entries;
  for (const std::string& entry : Block2Entries(printer_status)) {
    entries.push_back(text::Cp950ToUtf8(entry));
  }
  if (json) {
    JsonWriter out;
    out.BeginObject();
    out.Key("port").String(kPortNames[port]);
    out.Key("display").String(display);
    out.Key("entries").BeginArray();
    for (const std::string& entry : entries) out.String(entry);
    out.EndArray();
    out.EndObject();
    return out.str() + "\n";
  }
  std::string text = "Port:    " + std::string(kPortNames[port]) + "\nDisplay: " + display + "\n";
  for (const std::string& entry : entries) text += "Entry:   " + entry + "\n";
  return text;
}

}  // namespace pscfg::psctl
