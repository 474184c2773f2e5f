#include "platform/text/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace pscfg::text {
namespace {

constexpr const char* kCp950 = "CP950";
constexpr const char* kUtf8 = "UTF-8";

// One iconv descriptor for one conversion call. Opened per call so that no
// state survives a failed conversion; glibc caches the loaded converter, so
// opening is cheap.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of [*in, *in + *in_left) as fits into `out`; the result
  // and errno are those of iconv(3).
  std::size_t Convert(const char** in, std::size_t* in_left, char** out, std::size_t* out_left) {
    // iconv never writes through its input pointer; the parameter is only
    // non-const for historical reasons.
    return iconv(cd_, const_cast<char**>(in), in_left, out, out_left);
  }

  // Back to the initial shift state after an error.
  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

 private:
  iconv_t cd_;
};

constexpr std::size_t kIconvFailed = static_cast<std::size_t>(-1);

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsCp950LeadByte(std::uint8_t b) { return b >= 0x81 && b <= 0xFE; }
bool IsCp950TrailByte(std::uint8_t b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
}

// Bytes to drop at a position where the converter stopped: a well-formed but
// unassigned double-byte code goes as one unit, so that its trail byte (which
// may be an ASCII letter) does not show up as a character of its own.
std::size_t UndecodableLength(std::string_view rest) {
  if (rest.size() >= 2 && IsCp950LeadByte(static_cast<std::uint8_t>(rest[0])) &&
      IsCp950TrailByte(static_cast<std::uint8_t>(rest[1]))) {
    return 2;
  }
  return 1;
}

// Used only when the system has no CP950 converter: ASCII survives, every
// other character becomes U+FFFD.
std::string AsciiOnlyFallback(std::string_view cp950) {
  std::string out;
  for (std::size_t i = 0; i < cp950.size();) {
    auto b = static_cast<std::uint8_t>(cp950[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
    } else {
      out += kReplacementUtf8;
      i += UndecodableLength(cp950.substr(i));
    }
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    auto b0 = static_cast<std::uint8_t>(bytes[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    std::uint8_t second_min = 0x80;
    std::uint8_t second_max = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      if (b0 == 0xE0) second_min = 0xA0;  // overlong
      if (b0 == 0xED) second_max = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      if (b0 == 0xF0) second_min = 0x90;  // overlong
      if (b0 == 0xF4) second_max = 0x8F;  // beyond U+10FFFF
    } else {
      return false;  // continuation byte, overlong C0/C1, or F5..FF
    }
    if (n - i < length) return false;
    auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
    if (b1 < second_min || b1 > second_max) return false;
    for (std::size_t k = 2; k < length; ++k) {
      auto bk = static_cast<std::uint8_t>(bytes[i + k]);
      if (bk < 0x80 || bk > 0xBF) return false;
    }
    i += length;
  }
  return true;
}

std::string Cp950ToUtf8(std::string_view cp950) {
  if (IsAscii(cp950)) return std::string(cp950);
  Iconv converter(kUtf8, kCp950);
  if (!converter.ok()) return AsciiOnlyFallback(cp950);

  std::string out;
  out.reserve(cp950.size() + cp950.size() / 2);
  char chunk[4096];
  const char* in = cp950.data();
  std::size_t in_left = cp950.size();
  while (in_left > 0) {
    char* o = chunk;
    std::size_t o_left = sizeof chunk;
    const std::size_t result = converter.Convert(&in, &in_left, &o, &o_left);
    const int error = errno;
    out.append(chunk, static_cast<std::size_t>(o - chunk));
    if (result != kIconvFailed || error == E2BIG) continue;
    // EILSEQ (no CP950 character here) or EINVAL (cut off at the end).
    out += kReplacementUtf8;
    const std::size_t skip = UndecodableLength(std::string_view(in, in_left));
    in += skip;
    in_left -= skip;
    converter.Reset();
  }
  return out;
}

bool Utf8ToCp950(std::string_view utf8, std::string* out) {
  out->clear();
  if (!IsValidUtf8(utf8)) return false;
  if (IsAscii(utf8)) {
    out->assign(utf8);
    return true;
  }
  Iconv converter(kCp950, kUtf8);
  if (!converter.ok()) return false;

  std::string result;
  result.reserve(utf8.size());
  char chunk[4096];
  const char* in = utf8.data();
  std::size_t in_left = utf8.size();
  while (in_left > 0) {
    char* o = chunk;
    std::size_t o_left = sizeof chunk;
    const std::size_t converted = converter.Convert(&in, &in_left, &o, &o_left);
    const int error = errno;
    result.append(chunk, static_cast<std::size_t>(o - chunk));
    if (converted == kIconvFailed) {
      if (error == E2BIG) continue;
      return false;  // a character CP950 has no code for
    }
    // A positive count means characters were replaced by look-alikes: the
    // text would not come back as it was, so it counts as unencodable.
    if (converted > 0) return false;
  }
  *out = std::move(result);
  return true;
}

std::string FileTextToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Cp950ToUtf8(bytes);
}

}  // namespace pscfg::text
