#pragma once
// CPServerManager: the one model of the network per program run.
//
// It holds the server table found by discovery, the selected index, the
// three frame buffers that the device operations read into and write from,
// and the values the pages share. Every device operation is a member and
// returns 1 for success, 0 for failure; socket failures are reported through
// the Reporter as they happen (with the title as caption in Dornel).

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "protocol/device_transport.h"
#include "protocol/pserver_entry.h"
#include "protocol/wire.h"

namespace pscfg {

inline constexpr int kMaxServers = 100;
inline constexpr std::string_view kConfigFileName = "Config.ini";
inline constexpr std::string_view kConfigSection = "General Information";

class CPServerManager {
 public:
  CPServerManager(DeviceTransport& transport, Reporter& reporter);
  virtual ~CPServerManager() = default;

  CPServerManager(const CPServerManager&) = delete;
  CPServerManager& operator=(const CPServerManager&) = delete;

  Variant variant() const { return variant_; }
  DeviceTransport& transport() { return transport_; }
  // Reports socket failures of this program's operations.
  FailureReporter failure_reporter() const;

  // Shared values.
  const std::string& title() const { return title_; }
  void set_title(std::string title) { title_ = std::move(title); }
  const std::string& program_directory() const { return program_directory_; }
  void set_program_directory(std::string directory) { program_directory_ = std::move(directory); }
  // Config.ini beside the program unless another file is named.
  std::filesystem::path config_file() const;
  void set_config_file(std::filesystem::path file) { config_file_ = std::move(file); }
  int serial_port_count = 0;
  int parallel_port_count = 0;

  // The server table and the selection.
  int server_count() const { return server_count_; }
  PServerEntry& server(int index) { return servers_[static_cast<std::size_t>(index)]; }
  const PServerEntry& server(int index) const { return servers_[static_cast<std::size_t>(index)]; }
  int selected_index = -1;
  // The selected entry; the General page sets a valid index before any use.
  PServerEntry& selected() { return server(selected_index); }
  void ClearServers() { server_count_ = 0; }

  // Frame buffers of this variant's sizes and the records inside them.
  std::span<std::uint8_t> eeprom_frame() {
    return {eeprom_frame_.data(), EEPromFrameSize(variant_)};
  }
  std::span<std::uint8_t> status_frame() {
    return {status_frame_.data(), StatusFrameSize(variant_)};
  }
  std::span<std::uint8_t> printer_status_frame() {
    return {printer_status_frame_.data(), PrinterStatusFrameSize(variant_)};
  }
  std::span<std::uint8_t> eeprom_image() {
    return eeprom_frame().subspan(RecordOffset(variant_), kEEPromImageSize);
  }
  std::span<std::uint8_t> server_status() {
    return status_frame().subspan(RecordOffset(variant_), kPServerStatusSize);
  }
  std::span<std::uint8_t> printer_status() {
    return printer_status_frame().subspan(RecordOffset(variant_), kPrinterStatusSize);
  }

  // Device operations.
  int XResetPServerEEProm(const PServerEntry& target);
  int XReadPServerEEProm(const PServerEntry& target, std::span<std::uint8_t> frame);
  int XWritePServerEEProm(const PServerEntry& target, std::span<std::uint8_t> frame);
  int XSearchPS(const PServerEntry& target, std::span<std::uint8_t> buffer);
  int XGetPServerStatus(const PServerEntry& target, std::span<std::uint8_t> frame);
  int XTestPrint(const PServerEntry& target, std::int32_t port);
  int XEnterUpgradeMode(net::Socket s, const PServerEntry& target);
  int XGetPrinterStatus(const PServerEntry& target, std::span<std::uint8_t> frame, int port);

  // Discovery: Dornel's over UDP (udp/), Halvex's over IPX (ipx/).
  bool XGetPort();
  // The discovery passes on XGetPort's socket; always true. *socket_closed
  // tells whether a send failure has closed the socket.
  bool XGetAllPServername(net::Socket s, bool* socket_closed = nullptr);

  // Server table rules.
  bool AddServer(std::span<const std::uint8_t> info_block, const net::SocketAddress& sender,
                 const NodeAddress& node_address);
  bool IsAcceptedDevice(std::uint8_t vendor, std::uint8_t type) const;
  // Removes the entries whose keep-flag (Halvex: accepted, Dornel: TCP/IP)
  // is 0, keeping the order of the others; returns the new count.
  int DropUnaccepted();
  // Reads every entry's record once to note its IP address and TCP/IP flag.
  void NoteAddresses(std::span<std::uint8_t> frame);

 private:
  int RunExchange(Command command, const PServerEntry& target,
                  std::span<const std::uint8_t> request, std::span<std::uint8_t> reply);
  // An operation whose request is the prefix and the header alone.
  int RunHeaderOnly(Command command, const PServerEntry& target, std::span<std::uint8_t> reply);
  std::size_t WriteRequestStart(const PServerEntry& target, Command command,
                                std::span<std::uint8_t> frame) const;

  DeviceTransport& transport_;
  Reporter& reporter_;
  Variant variant_;
  std::string title_;
  std::string program_directory_;
  std::filesystem::path config_file_;

  std::array<std::uint8_t, kMaxEEPromFrameSize> eeprom_frame_{};
  std::array<std::uint8_t, kMaxStatusFrameSize> status_frame_{};
  std::array<std::uint8_t, kMaxPrinterStatusFrameSize> printer_status_frame_{};
  int server_count_ = 0;
  std::array<PServerEntry, kMaxServers> servers_{};
};

}  // namespace pscfg
