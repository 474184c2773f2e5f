#pragma once
// The Winsock name services the programs use to find the PC's own address:
// gethostname, gethostbyname, inet_ntoa and inet_addr.
//
// As on Windows, gethostbyname of the host's own name (or of the empty
// name) lists the addresses of the host's own interfaces, not what a hosts
// file says about the name: the non-loopback IPv4 addresses in interface
// order, each once; the loopback addresses only when there is no other;
// 127.0.0.1 when there is no interface at all. A name that inet_addr reads
// as an address ("192.168.1.5") gives that one address. Every other name
// goes to the resolver (IPv4 only). The host facts come from CurrentHostSource().
//
// Failures set the calling thread's error number, read with
// WSAGetLastError(): WSAEFAULT (10014) for a missing or too small buffer,
// the NameServiceError numbers for look-ups.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sysinfo/host_source.h"

namespace pscfg::sysinfo {

inline constexpr int kSocketError = -1;
inline constexpr short kAfInet = 2;
inline constexpr std::uint32_t kInaddrAny = 0x00000000;
inline constexpr std::uint32_t kInaddrNone = 0xFFFFFFFF;

// An IPv4 address as in_addr holds it: s_addr in network byte order, so its
// bytes in memory are the dotted numbers in order.
struct InAddr {
  std::uint32_t s_addr = 0;
};

InAddr ToInAddr(const Ipv4& address);
Ipv4 ToIpv4(InAddr address);

// What gethostbyname finds: the name and the IPv4 addresses, in order.
struct HostEnt {
  std::string h_name;
  short h_addrtype = kAfInet;
  short h_length = 4;
  std::vector<InAddr> h_addr_list;
};

// Copies the host name with its terminator into `name`: 0 on success;
// kSocketError with WSAEFAULT when `name` is null or `name_length` is too
// small for name and terminator (nothing is written then).
int gethostname(char* name, int name_length);

// The host entry of `name`, or null with the error set. The entry belongs to
// the calling thread and lives until its next gethostbyname call.
const HostEnt* gethostbyname(std::string_view name);

// "a.b.c.d" with decimal numbers.
std::string inet_ntoa(InAddr address);

// The address of `text` in network byte order, read as BSD sockets and
// Winsock read it: one to four numbers separated by dots, each decimal,
// octal (leading 0) or hexadecimal (leading 0x); the last number fills the
// remaining bytes; a blank ends the address and what follows is ignored.
// kInaddrNone when the text is no such address. The empty text gives
// kInaddrAny, as on the Windows 2000 line this host reports (later Windows
// versions give kInaddrNone).
std::uint32_t inet_addr(std::string_view text);

// The thread's error number of the last failing call above.
int WSAGetLastError();

}  // namespace pscfg::sysinfo
