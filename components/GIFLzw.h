#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The variable-length LZW decoder of GIF image data.
//
// Codes are read least significant bit first from `codes` (the image's sub-blocks with their
// length bytes removed).  With the initial code size m, the codes 0 to 2^m − 1 stand for
// themselves, 2^m is the clear code and 2^m + 1 the end code; codes start m + 1 bits wide and
// grow by one bit each time the next free table entry reaches 2^width, up to 12 bits.  The
// table holds at most 4096 entries; once full, nothing is added until the next clear code.
// Leading clear codes are passed over.  Decoding stops at the end code, at the end of
// `codes`, when `out` is full (the codes left are dropped), or at a code that refers to an
// entry not yet defined (damaged data: what was decoded so far stands).
//
// Decoded indices go to `out` one after the other, in the order of the data.  `out` must have
// GIFLzwSlack bytes of room beyond the `out.size()` pixels it receives: strings are copied in
// blocks that may run past their end.
class TGIFLzwDecoder {
public:
  static constexpr size_t GIFLzwSlack = 16;

  // Preconditions: 1 ≤ minCodeSize ≤ 8; `codes` and the storage of `out` (plus slack) outlive
  // the decoder.
  TGIFLzwDecoder(std::span<const uint8_t> codes, int minCodeSize, std::span<uint8_t> out);

  // Decodes until at least `target` pixels are out (at most out.size()) or decoding stops.
  // Returns the number of pixels out so far.  Pixels beyond that number are unspecified until
  // Finish() is called.
  size_t DecodeTo(size_t target);

  // Stops decoding and sets every pixel the data did not reach to index 0.
  void Finish();

  size_t PixelsOut() const { return pos_; }
  size_t BytesRead() const { return in_; }   // bytes of `codes` taken into the bit buffer
  bool Stopped() const { return stopped_; }
  bool Damaged() const { return damaged_; }  // stopped at a code naming an undefined entry

private:
  std::span<const uint8_t> codes_;
  std::span<uint8_t> out_;
  size_t in_ = 0;
  size_t pos_ = 0;
  uint64_t bits_ = 0;
  int bitCount_ = 0;
  int minCodeSize_;
  int width_;
  uint32_t clear_;
  uint32_t next_;
  bool havePrevious_ = false;
  uint32_t previousPos_ = 0;
  uint32_t previousLength_ = 0;
  bool stopped_ = false;
  bool damaged_ = false;
  // Entry e ≥ clear + 2 is the string of length length_[e] found in `out` at offset_[e]:
  // every entry is a string already decoded, so its bytes are copied from the output itself.
  std::array<uint32_t, 4096> offset_;
  std::array<uint32_t, 4096> length_;
};
