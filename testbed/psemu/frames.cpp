#include "testbed/psemu/frames.h"

#include "protocol/byte_io.h"

namespace pscfg::psemu {
namespace {

constexpr std::size_t kPlainRequestSize = kNodeAddressSize + kHeaderSize;

}  // namespace

std::optional<Command> CommandFromCode(std::uint8_t code) {
  switch (static_cast<Command>(code)) {
    case Command::kReset:
    case Command::kReadRecord:
    case Command::kWriteRecord:
    case Command::kSearch:
    case Command::kServerStatus:
    case Command::kTestPrint:
    case Command::kEnterUpgradeMode:
    case Command::kPrinterStatus:
      return static_cast<Command>(code);
  }
  return std::nullopt;
}

std::size_t RequestFrameSize(Command command) {
  switch (command) {
    case Command::kWriteRecord:
      return kPlainRequestSize + kEEPromImageSize;
    case Command::kTestPrint:
      return kPlainRequestSize + kTestPrintPortSize;
    case Command::kPrinterStatus:
      return kPlainRequestSize + kPrinterStatusPortSize;
    default:
      return kPlainRequestSize;
  }
}

std::string_view CommandName(Command command) {
  switch (command) {
    case Command::kReset:
      return "reset";
    case Command::kReadRecord:
      return "read";
    case Command::kWriteRecord:
      return "write";
    case Command::kSearch:
      return "search";
    case Command::kServerStatus:
      return "status";
    case Command::kTestPrint:
      return "test-print";
    case Command::kEnterUpgradeMode:
      return "upgrade-mode";
    case Command::kPrinterStatus:
      return "printer-status";
  }
  return "?";
}

std::optional<Request> ParseRequest(std::span<const std::uint8_t> datagram) {
  ByteReader reader(datagram);
  Request request;
  std::array<std::uint8_t, kHeaderSize> header{};
  if (!reader.ReadBytes(request.target) || !reader.ReadBytes(header)) return std::nullopt;
  const auto command = CommandFromCode(header[1]);
  if (!command || header != RequestHeader(*command)) return std::nullopt;
  if (datagram.size() != RequestFrameSize(*command)) return std::nullopt;
  request.command = *command;
  request.payload = reader.View(reader.remaining());
  return request;
}

Datagram BuildReply(const NodeAddress& node, std::uint8_t code,
                    std::span<const std::uint8_t> payload) {
  Datagram reply(kNodeAddressSize + kHeaderSize + payload.size());
  ByteWriter writer(reply);
  writer.Bytes(node)
      .U8(kDirectionReply)
      .U8(code)
      .U8(0xFF)
      .U8(static_cast<std::uint8_t>(0xFF - code))
      .Bytes(payload);
  return reply;
}

}  // namespace pscfg::psemu
