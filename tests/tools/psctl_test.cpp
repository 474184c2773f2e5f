// psctl end to end: the real program against psemu on a loopback address.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/psemu_process.h"
#include "tests/support/run_program.h"

namespace pscfg {
namespace {

namespace fs = std::filesystem;
using testing::DeviceFile;
using testing::ProgramResult;
using testing::RunProgram;

constexpr const char* kLobby = "00:40:01:00:00:01";
constexpr const char* kOffice = "00:40:01:00:00:02";
constexpr const char* kSilent = "00:40:01:00:00:09";

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PsctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PsemuProcess::Options options;
    options.device_files_text = {
        DeviceFile(kLobby, {{"alias", "LOBBY"},
                            {"device_name", "PS000001"},
                            {"ip_address", "127.0.0.61"},
                            {"capabilities", "2"},
                            {"display.LPT1", "READY TO PRINT"},
                            {"entries.LPT1", "toner low;tray 2 empty;"}}),
        DeviceFile(kOffice, {{"alias", "OFFICE"}, {"parallel_ports", "3"}}),
        DeviceFile("00:40:01:00:00:03", {{"alias", "NO-TCP"}, {"record.capabilities", "0"}}),
        DeviceFile("00:40:01:00:00:04", {{"alias", "TYPE-5"}, {"type", "5"}}),
        DeviceFile(kSilent, {{"alias", "SILENT"}, {"fault.silent", "1"}}),
    };
    ASSERT_TRUE(psemu_.Start(options)) << psemu_.error();
    config_ = psemu_.state_dir().parent_path() / "Config.ini";  // no such file: type 0 only
  }

  ProgramResult Psctl(std::vector<std::string> args) {
    args.insert(args.begin(), {"--config", config_.string()});
    return RunProgram("psctl", args);
  }

  fs::path Temp(const std::string& name) const { return psemu_.state_dir().parent_path() / name; }

  testing::PsemuProcess psemu_;
  fs::path config_;
};

TEST_F(PsctlTest, DiscoverListsTheAcceptedTcpIpServers) {
  const ProgramResult r = Psctl({"--json", "discover"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.out.find(R"({"alias":"LOBBY","node":"00:40:01:00:00:01","ip":"127.0.0.61",)"
                       R"("tcpip":true,"device_name":"PS000001","vendor":0,"type":0,)"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find(R"("alias":"OFFICE")"), std::string::npos);
  EXPECT_EQ(r.out.find("NO-TCP"), std::string::npos) << "no TCP/IP support: not listed";
  EXPECT_EQ(r.out.find("TYPE-5"), std::string::npos) << "refused by the device check";
  EXPECT_EQ(r.out.find("SILENT"), std::string::npos);
  EXPECT_EQ(r.err, "");

  const ProgramResult text = Psctl({"discover"});
  EXPECT_NE(text.out.find("2 print server(s)"), std::string::npos) << text.out;
}

TEST_F(PsctlTest, ReadByAliasAndByNodeGiveTheSameRecord) {
  const fs::path by_alias = Temp("alias.bin");
  const fs::path by_node = Temp("node.bin");
  const ProgramResult alias = Psctl({"read", "LOBBY", "--out", by_alias.string()});
  ASSERT_EQ(alias.exit_code, 0) << alias.err;
  const ProgramResult node = Psctl({"read", kLobby, "--out", by_node.string()});
  ASSERT_EQ(node.exit_code, 0) << node.err;
  EXPECT_EQ(ReadFile(by_alias).size(), 512u);
  EXPECT_EQ(ReadFile(by_alias), ReadFile(by_node));
  EXPECT_NE(alias.out.find("IP address:"), std::string::npos);
  EXPECT_NE(alias.out.find("127.0.0.61"), std::string::npos);
  EXPECT_NE(alias.out.find("00 40 01 00 00 01"), std::string::npos) << alias.out;
}

TEST_F(PsctlTest, BackupSetResetReadRestore) {
  const fs::path backup = Temp("backup.bin");
  ASSERT_EQ(Psctl({"backup", kOffice, backup.string()}).exit_code, 0);

  const ProgramResult set =
      Psctl({"set", kOffice, "alias=RENAMED", "ip_address=127.0.0.77", "subnet_mask=255.0.0.0",
             "gateway=127.0.0.1", "snmp_contact=ops desk"});
  ASSERT_EQ(set.exit_code, 0) << set.err;
  EXPECT_NE(set.err.find("列印伺服器別名已經改變, 必須[重置]使它生效"), std::string::npos);

  // Written, not applied: the search still answers with the old alias.
  const ProgramResult before = Psctl({"--json", "search", kOffice});
  EXPECT_NE(before.out.find(R"("alias":"OFFICE")"), std::string::npos) << before.out;

  const ProgramResult reset = Psctl({"reset", kOffice});
  ASSERT_EQ(reset.exit_code, 0) << reset.err;
  const ProgramResult read = Psctl({"--json", "read", "RENAMED"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  EXPECT_NE(read.out.find(R"("ip_address":"127.0.0.77")"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find(R"("snmp_contact":"ops desk")"), std::string::npos);
  const ProgramResult status = Psctl({"--json", "status", kOffice});
  EXPECT_NE(status.out.find(R"("ip_in_use":"127.0.0.77")"), std::string::npos) << status.out;

  const ProgramResult restore = Psctl({"restore", kOffice, backup.string()});
  ASSERT_EQ(restore.exit_code, 0) << restore.err;
  EXPECT_NE(restore.out.find("reset"), std::string::npos);
  ASSERT_EQ(Psctl({"reset", kOffice}).exit_code, 0);
  const fs::path after = Temp("after.bin");
  ASSERT_EQ(Psctl({"read", kOffice, "--out", after.string()}).exit_code, 0);
  EXPECT_EQ(ReadFile(after), ReadFile(backup)) << "restore brings back the record byte for byte";
}

TEST_F(PsctlTest, BadArgumentsAreRefusedWithExitTwo) {
  const fs::path short_file = Temp("short.bin");
  std::ofstream(short_file, std::ios::binary) << std::string(511, 'x');
  const std::vector<std::vector<std::string>> rows = {
      {},
      {"frobnicate"},
      {"read"},
      {"read", kLobby, "extra"},
      {"test-print", kLobby, "LPT4"},
      {"printer-status", kLobby, "5"},
      {"--transport", "appletalk", "discover"},
      {"--transport", "ipx", "discover"},
      {"--bogus", "discover"},
      {"write", kLobby, short_file.string()},
      {"write", kLobby, Temp("missing.bin").string()},
      {"set", kLobby, "ip_address=256.1.1.1"},
      {"set", kLobby, "ip_address=192.168.1"},
      {"set", kLobby, "alias=SIXTEEN-CHARS-XX"},
      {"set", kLobby, "colour=blue"},
      {"set", kLobby, "alias"},
      {"set", kLobby, "ip_address=127.0.0.5", "gateway=127.0.0.1", "subnet_mask=0.0.0.0"},
      {"set", kLobby, "subnet_mask=255.255.0.255"},
      {"search", kLobby, "--out", "x"},
  };
  for (const auto& args : rows) {
    const ProgramResult r = Psctl(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(r.exit_code, 2) << shown << "\n" << r.err;
    EXPECT_NE(r.err, "") << shown;
  }
  // Nothing was written: the record is as the device started.
  const ProgramResult read = Psctl({"--json", "read", kLobby});
  EXPECT_NE(read.out.find(R"("ip_address":"127.0.0.61")"), std::string::npos);
}

TEST_F(PsctlTest, AddressChecksNameTheFieldInThePagesWords) {
  const ProgramResult mask = Psctl({"set", kLobby, "gateway=127.0.0.1", "subnet_mask=0.0.0.0"});
  EXPECT_EQ(mask.exit_code, 2);
  EXPECT_NE(mask.err.find("指定的子網路遮罩不合法"), std::string::npos) << mask.err;
  const ProgramResult gateway =
      Psctl({"set", kLobby, "subnet_mask=255.255.255.0", "gateway=127.0.1.1"});
  EXPECT_EQ(gateway.exit_code, 2);
  EXPECT_NE(gateway.err.find("指定的通訊閘不合法"), std::string::npos) << gateway.err;
  const ProgramResult ip = Psctl({"set", kLobby, "ip_address=1.2.3"});
  EXPECT_NE(ip.err.find("指定的IP位址不合法"), std::string::npos) << ip.err;
}

TEST_F(PsctlTest, UnknownAliasIsExitThree) {
  const ProgramResult r = Psctl({"read", "NOBODY"});
  EXPECT_EQ(r.exit_code, 3);
  EXPECT_NE(r.err.find("NOBODY"), std::string::npos);
}

TEST_F(PsctlTest, SilentServerFailsWithTheReadMessage) {
  const ProgramResult r = Psctl({"read", kSilent});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "無法讀取列印伺服器的EEPROM\n");
}

TEST_F(PsctlTest, TestPrintOnCom2ReachesThatPort) {
  const ProgramResult r = Psctl({"test-print", kLobby, "COM2"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  bool found = false;
  for (const auto& entry : fs::directory_iterator(psemu_.state_dir())) {
    const std::string name = entry.path().filename().string();
    if (name.find("COM2") != std::string::npos && name.find(".prn") != std::string::npos) {
      found = fs::file_size(entry.path()) > 0;
    }
  }
  EXPECT_TRUE(found) << "a page in the COM2 file of the state directory";
}

TEST_F(PsctlTest, PrinterStatusShowsDisplayTextAndEntries) {
  const ProgramResult r = Psctl({"--json", "printer-status", kLobby, "LPT1"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out,
            R"({"port":"LPT1","display":"READY TO PRINT","entries":["toner low","tray 2 empty"]})"
            "\n");
}

TEST_F(PsctlTest, HelpPrintsTheUsage) {
  const ProgramResult r = Psctl({"--help"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("usage: psctl"), std::string::npos);
}

}  // namespace
}  // namespace pscfg
