#include "tools/psctl/commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "platform/net/posix_socket_api.h"
#include "platform/process/module_path.h"
#include "platform/text/codepage.h"
#include "protocol/messages.h"
#include "protocol/records/printer_status.h"
#include "protocol/reset_sequence.h"
#include "protocol/server_manager.h"
#include "shell/branding.h"
#include "tools/psctl/record_output.h"
#include "tools/psctl/settings_edit.h"
#include "udp/udp_transport.h"

namespace pscfg::psctl {

namespace {

namespace fs = std::filesystem;

// Message boxes become lines on stderr.
class StderrReporter : public Reporter {
 public:
  explicit StderrReporter(std::ostream& err) : err_(err) {}
  void ShowMessage(std::string_view text, std::string_view) override { err_ << text << "\n"; }

 private:
  std::ostream& err_;
};

std::optional<NodeAddress> ParseNode(const std::string& text) {
  NodeAddress node{};
  if (text.size() != 17) return std::nullopt;
  for (std::size_t i = 0; i < node.size(); ++i) {
    const std::string part = text.substr(i * 3, 2);
    if (i < 5 && text[i * 3 + 2] != ':') return std::nullopt;
    if (!std::isxdigit(static_cast<unsigned char>(part[0])) ||
        !std::isxdigit(static_cast<unsigned char>(part[1]))) {
      return std::nullopt;
    }
    node[i] = static_cast<std::uint8_t>(std::stoul(part, nullptr, 16));
  }
  return node;
}

bool ReadRecordFile(const std::string& path, std::array<std::uint8_t, kEEPromImageSize>* record,
                    std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot open '" + path + "'";
    return false;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != kEEPromImageSize) {
    *error = "'" + path + "' has " + std::to_string(bytes.size()) +
             " bytes; a configuration record has exactly 512";
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), record->begin());
  return true;
}

// Written beside the target and renamed over it, so a crash leaves either
// the old file or the whole new one.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      *error = "cannot write '" + path + "'";
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code renamed;
  fs::rename(temporary, path, renamed);
  if (renamed) {
    *error = "cannot write '" + path + "': " + renamed.message();
    return false;
  }
  return true;
}

class Session {
 public:
  Session(const CommandLine& line, std::ostream& out, std::ostream& err)
      : line_(line),
        out_(out),
        err_(err),
        reporter_(err),
        transport_(api_),
        manager_(transport_, reporter_) {
    const std::string module = process::ModuleFileName().string();
    manager_.set_program_directory(process::ProgramDirectoryOf(module));
    if (!line.config_file.empty()) manager_.set_config_file(line.config_file);
    manager_.set_title(ReadBranding(manager_.config_file()).title);
  }

  int Run() {
    const std::string& command = line_.command;
    if (command == "discover") return Discover();
    const int found = ResolveTarget(line_.arguments[0]);
    if (found != kExitSuccess) return found;
    if (command == "search") return Search();
    if (command == "read") return Read();
    if (command == "write") return Write(false);
    if (command == "restore") return Write(true);
    if (command == "backup") return Backup();
    if (command == "set") return Set();
    if (command == "reset") return Reset();
    if (command == "status") return Status();
    if (command == "printer-status") return PrinterStatus();
    if (command == "test-print") return TestPrint();
    return Usage("unknown command '" + command + "'");
  }

 private:
  int Usage(const std::string& why) {
    err_ << "psctl: " << why << "\n";
    return kExitUsage;
  }
  int Failed(std::string_view message) {
    err_ << message << "\n";
    return kExitFailed;
  }

  int Discover() {
    if (!manager_.XGetPort()) return kExitFailed;
    out_ << ServerTableText(manager_, line_.json);
    return kExitSuccess;
  }

  // A node address is used as it is; an alias is looked up by discovery.
  int ResolveTarget(const std::string& text) {
    if (const auto node = ParseNode(text)) {
      target_.node_address = *node;
      name_ = text;
      return kExitSuccess;
    }
    std::string alias;
    if (!text::Utf8ToCp950(text, &alias))
      return Usage("'" + text + "' is no alias a print server can have");
    manager_.XGetPort();
    for (int i = 0; i < manager_.server_count(); ++i) {
      if (manager_.server(i).Alias() == alias) {
        manager_.selected_index = i;
        target_ = manager_.server(i);
        name_ = text;
        return kExitSuccess;
      }
    }
    err_ << "psctl: no print server named '" << text << "' answered the discovery\n";
    return kExitNotFound;
  }

  int Search() {
    std::array<std::uint8_t, kMaxSearchFrameSize> reply{};
    if (manager_.XSearchPS(target_, reply) == 0) return Failed(messages::NoAnswer(name_));
    PServerEntry answered = target_;
    const auto info = std::span(reply).subspan(RecordOffset(manager_.variant()), kPServerInfoSize);
    std::copy(info.begin(), info.end(), answered.info.begin());
    out_ << ServerInfoText(answered, line_.json);
    return kExitSuccess;
  }

  bool ReadRecord() {
    if (manager_.XReadPServerEEProm(target_, manager_.eeprom_frame()) != 0) return true;
    err_ << messages::kCannotReadEEProm << "\n";
    return false;
  }

  int Read() {
    if (!ReadRecord()) return kExitFailed;
    if (!line_.out_file.empty()) {
      std::string error;
      if (!WriteFileAtomically(line_.out_file, manager_.eeprom_image(), &error)) {
        return Failed("psctl: " + error);
      }
    }
    out_ << RecordText(manager_.eeprom_image(), target_.ModelSuffix(), line_.json);
    return kExitSuccess;
  }

  int Backup() {
    if (!ReadRecord()) return kExitFailed;
    std::string error;
    if (!WriteFileAtomically(line_.arguments[1], manager_.eeprom_image(), &error)) {
      return Failed("psctl: " + error);
    }
    out_ << "Saved the configuration record of " << name_ << " to " << line_.arguments[1] << "\n";
    return kExitSuccess;
  }

  int Write(bool restore) {
    std::array<std::uint8_t, kEEPromImageSize> record{};
    std::string error;
    if (!ReadRecordFile(line_.arguments[1], &record, &error)) return Usage(error);
    std::copy(record.begin(), record.end(), manager_.eeprom_image().begin());
    if (manager_.XWritePServerEEProm(target_, manager_.eeprom_frame()) == 0) {
      return Failed(messages::kCannotWriteEEProm);
    }
    if (restore) {
      out_ << "Restored the configuration record of " << name_
           << "; it takes effect after a reset (psctl reset " << line_.arguments[0] << ")\n";
    }
    return kExitSuccess;
  }

  int Set() {
    std::vector<SettingChange> changes;
    std::string error;
    const std::vector<std::string> settings(line_.arguments.begin() + 1, line_.arguments.end());
    if (!ParseSettings(settings, &changes, &error)) return Usage(error);
    if (!ReadRecord()) return kExitFailed;
    std::array<std::uint8_t, kEEPromImageSize> edited{};
    std::copy(manager_.eeprom_image().begin(), manager_.eeprom_image().end(), edited.begin());
    bool alias_changed = false;
    if (!ApplySettings(changes, edited, &alias_changed, &error)) return Usage(error);
    std::copy(edited.begin(), edited.end(), manager_.eeprom_image().begin());
    if (alias_changed) err_ << messages::kAliasChanged << "\n";
    if (manager_.XWritePServerEEProm(target_, manager_.eeprom_frame()) == 0) {
      return Failed(messages::kCannotWriteEEProm);
    }
    out_ << "Written; the new settings take effect after a reset (psctl reset "
         << line_.arguments[0] << ")\n";
    return kExitSuccess;
  }

  int Reset() {
    const ResetOutcome outcome =
        ResetAndReread(manager_, target_, [&] { err_ << messages::NoAnswer(name_) << "\n"; });
    if (!outcome.answered || !outcome.record_read || !outcome.status_read) return kExitFailed;
    out_ << "Reset " << name_ << "; it answers again with alias "
         << text::Cp950ToUtf8(FixedFieldText(FieldBytes(eeprom::kAlias, manager_.eeprom_image())))
         << "\n";
    return kExitSuccess;
  }

  int Status() {
    if (!ReadRecord()) return kExitFailed;
    if (manager_.XGetPServerStatus(target_, manager_.status_frame()) == 0) {
      return Failed(messages::kCannotReadStatus);
    }
    out_ << StatusText(manager_.server_status(), manager_.eeprom_image(), line_.json);
    return kExitSuccess;
  }

  int PrinterStatus() {
    const int port = *ParsePort(line_.arguments[1]);
    if (manager_.XGetPrinterStatus(target_, manager_.printer_status_frame(), port) == 0) {
      return Failed(messages::kCannotReadStatus);
    }
    const auto record = manager_.printer_status();
    const unsigned echoed = PrinterStatusPort(record);
    if (echoed != static_cast<unsigned>(port)) {
      return Failed("psctl: the print server answered for port " + std::to_string(echoed) +
                    ", not for the port asked");
    }
    out_ << PrinterStatusText(record, port, line_.json);
    return kExitSuccess;
  }

  int TestPrint() {
    const int port = *ParsePort(line_.arguments[1]);
    if (manager_.XTestPrint(target_, port) == 0) return Failed(messages::NoAnswer(name_));
    out_ << "Test page sent to " << name_ << " port " << line_.arguments[1] << "\n";
    return kExitSuccess;
  }

  const CommandLine& line_;
  std::ostream& out_;
  std::ostream& err_;
  StderrReporter reporter_;
  net::PosixSocketApi api_;
  UdpTransport transport_;
  CPServerManager manager_;
  PServerEntry target_;
  std::string name_;  // the target as the user named it, for messages
};

}  // namespace

int RunCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.help) {
    out << kUsage;
    return kExitSuccess;
  }
  if (line.transport == Transport::kIpx) {
    err << "psctl: --transport ipx: this host has no IPX transport yet; use --transport udp\n";
    return kExitUsage;
  }
  Session session(line, out, err);
  return session.Run();
}

}  // namespace pscfg::psctl
