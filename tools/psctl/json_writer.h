#pragma once
// A small streaming JSON writer: objects, arrays, strings, numbers, bools.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace pscfg::psctl {

class JsonWriter {
 public:
  JsonWriter& BeginObject() { return Open('{'); }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray() { return Open('['); }
  JsonWriter& EndArray() { return Close(']'); }

  JsonWriter& Key(std::string_view key) {
    Separate();
    Quoted(key);
    out_ += ':';
    after_key_ = true;
    return *this;
  }
  JsonWriter& String(std::string_view value) {
    Separate();
    Quoted(value);
    return *this;
  }
  JsonWriter& Number(long long value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
  }
  JsonWriter& Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
  }

  const std::string& str() const { return out_; }

 private:
  JsonWriter& Open(char bracket) {
    Separate();
    out_ += bracket;
    first_.push_back(true);
    return *this;
  }
  JsonWriter& Close(char bracket) {
    out_ += bracket;
    if (!first_.empty()) first_.pop_back();
    return *this;
  }
  void Separate() {
    if (after_key_) {
      after_key_ = false;
      return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = false;
  }
  // Input is UTF-8; control characters and the two specials are escaped.
  void Quoted(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (byte < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }

  std::string out_;
  std::vector<bool> first_;
  bool after_key_ = false;
};

}  // namespace pscfg::psctl
