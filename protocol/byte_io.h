#pragma once
// Bounds-checked reading and writing of byte buffers.
//
// ByteReader never reads past its span: a read that does not fit returns
// false (or the fallback) and marks the reader failed. ByteWriter's status
// sticks: write a whole frame, then check ok() once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pscfg {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  std::size_t position() const { return position_; }
  std::size_t remaining() const { return bytes_.size() - position_; }

  bool Seek(std::size_t offset) {
    if (offset > bytes_.size()) return Fail();
    position_ = offset;
    return true;
  }
  bool Skip(std::size_t count) { return Seek(position_ + std::min(count, remaining() + 1)); }

  bool ReadU8(std::uint8_t& out) {
    if (remaining() < 1) return Fail();
    out = bytes_[position_++];
    return true;
  }
  bool ReadU16Le(std::uint16_t& out) {
    if (remaining() < 2) return Fail();
    out = static_cast<std::uint16_t>(bytes_[position_] | (bytes_[position_ + 1] << 8));
    position_ += 2;
    return true;
  }
  bool ReadU16Be(std::uint16_t& out) {
    if (remaining() < 2) return Fail();
    out = static_cast<std::uint16_t>((bytes_[position_] << 8) | bytes_[position_ + 1]);
    position_ += 2;
    return true;
  }
  bool ReadU32Le(std::uint32_t& out) {
    if (remaining() < 4) return Fail();
    out = 0;
    for (int i = 3; i >= 0; --i) out = (out << 8) | bytes_[position_ + static_cast<std::size_t>(i)];
    position_ += 4;
    return true;
  }
  bool ReadBytes(std::span<std::uint8_t> out) {
    if (remaining() < out.size()) return Fail();
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), out.size(), out.begin());
    position_ += out.size();
    return true;
  }
  // A view of the next `count` bytes (empty and failed when they do not fit).
  std::span<const std::uint8_t> View(std::size_t count) {
    if (remaining() < count) {
      Fail();
      return {};
    }
    auto view = bytes_.subspan(position_, count);
    position_ += count;
    return view;
  }

 private:
  bool Fail() {
    ok_ = false;
    return false;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  explicit ByteWriter(std::span<std::uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  std::size_t size() const { return position_; }

  ByteWriter& U8(std::uint8_t value) {
    if (Fits(1)) bytes_[position_++] = value;
    return *this;
  }
  ByteWriter& U16Le(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value & 0xFF));
    return U8(static_cast<std::uint8_t>(value >> 8));
  }
  ByteWriter& U16Be(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value >> 8));
    return U8(static_cast<std::uint8_t>(value & 0xFF));
  }
  ByteWriter& U32Le(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  ByteWriter& Bytes(std::span<const std::uint8_t> data) {
    if (Fits(data.size())) {
      std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
      position_ += data.size();
    }
    return *this;
  }
  ByteWriter& Fill(std::uint8_t value, std::size_t count) {
    if (Fits(count)) {
      std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, value);
      position_ += count;
    }
    return *this;
  }

 private:
  bool Fits(std::size_t count) {
    if (!ok_ || bytes_.size() - position_ < count) ok_ = false;
    return ok_;
  }

  std::span<std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

// Text of a fixed field: the bytes up to the first 0, or all of them when
// the field has no terminator.
inline std::string FixedFieldText(std::span<const std::uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

}  // namespace pscfg
