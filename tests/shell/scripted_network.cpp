#include "tests/shell/scripted_network.h"

#include <algorithm>

#include "protocol/record_fields.h"

namespace pscfg::testing {

FakeServer MakeServer(const std::string& alias, std::uint8_t last) {
  FakeServer server;
  server.node = {0x00, 0x40, 0x01, 0x00, 0x00, last};
  server.alias = alias;
  Field(eeprom::kCapabilities, server.record)[0] = eeprom::kCapTcpIp;
  Field(eeprom::kParallelPorts, server.record)[0] = 0x01;
  std::copy(alias.begin(), alias.end(), Field(eeprom::kAlias, server.record).begin());
  return server;
}

ScriptedNetwork::ScriptedNetwork(ScriptedSocketApi& api, Variant variant)
    : api_(api), variant_(variant) {
  api_.on_send = [this](const SentDatagram& datagram) { Answer(datagram); };
}

FakeServer& ScriptedNetwork::Add(FakeServer server) {
  servers_.push_back(std::move(server));
  return servers_.back();
}

net::SocketAddress ScriptedNetwork::SenderOf(const FakeServer& server) const {
  if (variant_ == Variant::kHalvex) {
    return net::SocketAddress::Ipx({0, 0, 0, 1}, server.node, kIpxDeviceSocket);
  }
  return net::SocketAddress::Inet({127, 0, 0, 2}, kUdpDevicePort);
}

bool ScriptedNetwork::FillTable(CPServerManager& manager) {
  manager.ClearServers();
  for (const FakeServer& server : servers_) {
    const PServerInfo info = InfoOf(server);
    manager.AddServer(info, SenderOf(server), server.node);
  }
  for (int i = 0; i < manager.server_count(); ++i) manager.server(i).accepted = 1;
  manager.NoteAddresses(manager.eeprom_frame());
  return true;
}

PServerInfo ScriptedNetwork::InfoOf(const FakeServer& server) const {
  PServerInfo info{};
  std::copy_n("PSDEVICE", 8, Field(info::kDeviceName, info).begin());
  std::copy(server.alias.begin(), server.alias.end(), Field(info::kAlias, info).begin());
  Field(info::kModelSuffix, info)[0] = server.model_suffix;
  Field(info::kFirmwareComplete, info)[0] = server.firmware_complete;
  return info;
}

Bytes ScriptedNetwork::Reply(const FakeServer& server, Command command,
                             std::span<const std::uint8_t> payload) {
  Bytes frame;
  if (variant_ == Variant::kDornel) frame.assign(server.node.begin(), server.node.end());
  const auto code = static_cast<std::uint8_t>(command);
  frame.insert(frame.end(), {kDirectionReply, code, 0xFF, static_cast<std::uint8_t>(0xFF - code)});
  frame.insert(frame.end(), payload.begin(), payload.end());
  return frame;
}

void ScriptedNetwork::Answer(const SentDatagram& datagram) {
  const std::size_t prefix = FramePrefixSize(variant_);
  if (datagram.data.size() < prefix + kHeaderSize) return;
  const auto command = static_cast<Command>(datagram.data[prefix + 1]);
  const auto body = std::span(datagram.data).subspan(prefix + kHeaderSize);
  for (FakeServer& server : servers_) {
    bool addressed = false;
    if (variant_ == Variant::kDornel) {
      const NodeAddress target{datagram.data[0], datagram.data[1], datagram.data[2],
                               datagram.data[3], datagram.data[4], datagram.data[5]};
      addressed = target == server.node || (target == kAllNodes && command == Command::kSearch);
    } else {
      addressed = datagram.to.ipx_node() == server.node;
    }
    if (!addressed) continue;
    server.requests.push_back(command);
    if (server.ignores.count(command) != 0) continue;
    Bytes reply;
    switch (command) {
      case Command::kSearch:
        reply = Reply(server, command, InfoOf(server));
        break;
      case Command::kReadRecord:
        reply = Reply(server, command, server.record);
        break;
      case Command::kWriteRecord:
        if (body.size() >= kEEPromImageSize) {
          std::copy_n(body.begin(), kEEPromImageSize, server.record.begin());
        }
        reply = Reply(server, command, {});
        break;
      case Command::kServerStatus:
        reply = Reply(server, command, server.status);
        break;
      case Command::kTestPrint:
        if (!body.empty()) server.test_pages.push_back(body[0]);
        reply = Reply(server, command, {});
        break;
      default:
        reply = Reply(server, command, {});
        break;
    }
    api_.QueueFor(datagram.socket, Incoming::Datagram(std::move(reply), SenderOf(server)));
  }
}

}  // namespace pscfg::testing
