#pragma once
// Where the host's name, its IPv4 interfaces and other hosts' addresses come
// from. The name services and the registry's view of the network cards ask
// CurrentHostSource(); the operating system answers (PosixHostSource) unless
// a ScopedHostSource has put another source in place, as tests do with a
// FixedHostSource so that they run alike on a machine with only loopback.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pscfg::sysinfo {

// An IPv4 address or mask, the first dotted number first.
using Ipv4 = std::array<std::uint8_t, 4>;

// One IPv4 address of an interface that is up. An interface with several
// addresses appears once per address, under the same name.
struct HostInterface {
  std::string name;  // the system's interface name, e.g. "eth0"
  Ipv4 address{};
  Ipv4 netmask{};
  bool loopback = false;
};

// Winsock's name-service error numbers.
enum NameServiceError : int {
  kWsaHostNotFound = 11001,
  kWsaTryAgain = 11002,
  kWsaNoRecovery = 11003,
  kWsaNoData = 11004,
};

class HostSource {
 public:
  virtual ~HostSource() = default;

  virtual std::string HostName() const = 0;
  // In the system's order.
  virtual std::vector<HostInterface> Interfaces() const = 0;
  // The IPv4 addresses of another host's name: 0 and at least one address,
  // or a NameServiceError.
  virtual int ResolveName(const std::string& name, std::vector<Ipv4>* addresses) const = 0;
};

// The source in place: the innermost living ScopedHostSource's, otherwise
// the operating system's.
const HostSource& CurrentHostSource();

// Puts `source` in place while it lives; `source` must outlive it. Meant for
// tests, on one thread.
class ScopedHostSource {
 public:
  explicit ScopedHostSource(const HostSource& source);
  ~ScopedHostSource();
  ScopedHostSource(const ScopedHostSource&) = delete;
  ScopedHostSource& operator=(const ScopedHostSource&) = delete;

 private:
  const HostSource* previous_;
};

// A host made of fixed answers. Names in `resolvable` compare without case;
// every other name is kWsaHostNotFound.
class FixedHostSource : public HostSource {
 public:
  FixedHostSource(std::string host_name, std::vector<HostInterface> interfaces,
                  std::map<std::string, std::vector<Ipv4>> resolvable = {});

  std::string HostName() const override { return host_name_; }
  std::vector<HostInterface> Interfaces() const override { return interfaces_; }
  int ResolveName(const std::string& name, std::vector<Ipv4>* addresses) const override;

 private:
  std::string host_name_;
  std::vector<HostInterface> interfaces_;
  std::map<std::string, std::vector<Ipv4>> resolvable_;  // keys in lower case
};

// ASCII letters compared without case, other bytes as they are.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);

}  // namespace pscfg::sysinfo
