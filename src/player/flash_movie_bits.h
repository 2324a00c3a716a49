// A bounded reader over the bytes of a movie: little-endian numbers and the
// bit fields (most significant bit first) that rectangles, matrices and shape
// records are packed in. Every read checks the end; reading past it throws
// MovieError, so no parser can touch a byte outside its tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "player/flash_movie_error.h"

namespace player::flash {

class MovieBits {
 public:
  explicit MovieBits(std::span<const uint8_t> data) : data_(data) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size() && bitCount_ == 0; }

  // Byte reads drop any bits left of a partly read byte.
  uint8_t U8() {
    Align();
    Need(1);
    return data_[pos_++];
  }
  uint16_t U16() {
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | (U8() << 8));
  }
  uint32_t U32() {
    const uint32_t low = U16();
    return low | (uint32_t{U16()} << 16);
  }
  std::span<const uint8_t> Take(size_t count) {
    Align();
    Need(count);
    const auto part = data_.subspan(pos_, count);
    pos_ += count;
    return part;
  }
  void Skip(size_t count) { (void)Take(count); }

  // An unsigned field of `count` bits (0..32).
  uint32_t Bits(int count) {
    uint32_t value = 0;
    for (int k = 0; k < count; ++k) {
      if (bitCount_ == 0) {
        Need(1);
        bitBuffer_ = data_[pos_++];
        bitCount_ = 8;
      }
      --bitCount_;
      value = (value << 1) | ((bitBuffer_ >> bitCount_) & 1u);
    }
    return value;
  }
  // A two's-complement field of `count` bits, sign-extended.
  int32_t SignedBits(int count) {
    if (count == 0) return 0;
    const uint32_t raw = Bits(count);
    if (count < 32 && (raw >> (count - 1)) & 1u) return static_cast<int32_t>(raw | (~0u << count));
    return static_cast<int32_t>(raw);
  }
  bool Flag() { return Bits(1) != 0; }
  void Align() { bitCount_ = 0; }

 private:
  void Need(size_t count) const {
    if (count > data_.size() - pos_) throw MovieError("a record runs past the end of its data");
  }

  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  uint32_t bitBuffer_ = 0;
  int bitCount_ = 0;
};

}  // namespace player::flash
