// Reads from a byte span, little-endian (U16, U32) or big-endian (U16Be,
// U32Be), every one checked against the end of the data; running past it
// raises DecodeError "<format>: <what> ends early". Every decoder of our own
// reads its file through this one class.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "imageformats/decoders.h"

namespace imageformats {

class ByteReader {
 public:
  ByteReader(std::span<const uint8_t> data, Format format) : data_(data), format_(format) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }

  // `what` names the part being read, for the error message.
  void Seek(size_t pos, const char* what) {
    if (pos > data_.size()) EndsEarly(what);
    pos_ = pos;
  }
  void Skip(size_t count, const char* what) { Bytes(count, what); }
  std::span<const uint8_t> Bytes(size_t count, const char* what) {
    if (count > Remaining()) EndsEarly(what);
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
  }
  uint8_t U8(const char* what) { return Bytes(1, what)[0]; }
  uint16_t U16(const char* what) {
    auto b = Bytes(2, what);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  uint32_t U32(const char* what) {
    auto b = Bytes(4, what);
    return uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
  }
  int32_t I32(const char* what) { return static_cast<int32_t>(U32(what)); }
  uint16_t U16Be(const char* what) {
    auto b = Bytes(2, what);
    return static_cast<uint16_t>((b[0] << 8) | b[1]);
  }
  uint32_t U32Be(const char* what) {
    auto b = Bytes(4, what);
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | uint32_t{b[3]};
  }
  int16_t I16Be(const char* what) { return static_cast<int16_t>(U16Be(what)); }
  int32_t I32Be(const char* what) { return static_cast<int32_t>(U32Be(what)); }

  // The next `count` bytes as a reader of their own (a section of the file
  // whose length the file states): reads inside it cannot pass its end.
  ByteReader Section(size_t count, const char* what) { return ByteReader(Bytes(count, what), format_); }
  std::span<const uint8_t> Rest() const { return data_.subspan(pos_); }

  [[noreturn]] void EndsEarly(const char* what) const { Fail(format_, std::string(what) + " ends early"); }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  Format format_;
};

}  // namespace imageformats
