#include "platform/sysinfo/host_source.h"

#include <atomic>

#include "platform/sysinfo/posix_host_source.h"

namespace pscfg::sysinfo {
namespace {

std::atomic<const HostSource*> installed_source{nullptr};

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

}  // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

const HostSource& CurrentHostSource() {
  static const PosixHostSource system_source;
  const HostSource* source = installed_source.load();
  return source != nullptr ? *source : system_source;
}

ScopedHostSource::ScopedHostSource(const HostSource& source)
    : previous_(installed_source.exchange(&source)) {}

ScopedHostSource::~ScopedHostSource() { installed_source.store(previous_); }

FixedHostSource::FixedHostSource(std::string host_name, std::vector<HostInterface> interfaces,
                                 std::map<std::string, std::vector<Ipv4>> resolvable)
    : host_name_(std::move(host_name)), interfaces_(std::move(interfaces)) {
  for (auto& [name, addresses] : resolvable) resolvable_[LowerAscii(name)] = std::move(addresses);
}

int FixedHostSource::ResolveName(const std::string& name, std::vector<Ipv4>* addresses) const {
  const auto found = resolvable_.find(LowerAscii(name));
  if (found == resolvable_.end() || found->second.empty()) return kWsaHostNotFound;
  *addresses = found->second;
  return 0;
}

}  // namespace pscfg::sysinfo
