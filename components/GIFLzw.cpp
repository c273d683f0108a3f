#include "GIFLzw.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int GIFMaxCodeBits = 12;
constexpr uint32_t GIFTableSize = 1u << GIFMaxCodeBits;

}  // namespace

TGIFLzwDecoder::TGIFLzwDecoder(std::span<const uint8_t> codes, int minCodeSize,
                               std::span<uint8_t> out)
    : codes_(codes), out_(out), minCodeSize_(minCodeSize), width_(minCodeSize + 1),
      clear_(1u << minCodeSize), next_(clear_ + 2) {}

size_t TGIFLzwDecoder::DecodeTo(size_t target) {
  const size_t total = out_.size();
  const size_t limit = std::min(target, total);
  uint8_t* const out = out_.data();
  const uint8_t* const in = codes_.data();
  const size_t inSize = codes_.size();
  // Working copies in locals: the compiler keeps them in registers across the memcpy calls.
  size_t pos = pos_, inPos = in_;
  uint64_t bits = bits_;
  int bitCount = bitCount_, width = width_;
  uint32_t next = next_;
  const uint32_t clear = clear_, end = clear_ + 1;

  // Each pass consumes at least one code or stops, and the codes are finite: bounded.
  while (!stopped_ && pos < limit) {
    if (bitCount < width) {
      if (inSize - inPos >= 8) {
        // Load 8 bytes; the bytes beyond those counted are loaded again, at the same bit
        // position, by the next refill, so OR-ing them in early does no harm.
        uint64_t word;
        std::memcpy(&word, in + inPos, 8);
        bits |= word << bitCount;
        const int take = (63 - bitCount) >> 3;
        inPos += size_t(take);
        bitCount += take * 8;
      } else {
        while (bitCount <= 56 && inPos < inSize) {
          bits |= uint64_t(in[inPos++]) << bitCount;
          bitCount += 8;
        }
        if (bitCount < width) {
          stopped_ = true;   // the data ends inside a code
          break;
        }
      }
    }
    const uint32_t code = uint32_t(bits) & ((1u << width) - 1);
    bits >>= width;
    bitCount -= width;

    if (code == clear) {
      width = minCodeSize_ + 1;
      next = clear + 2;
      havePrevious_ = false;
      continue;
    }
    if (code == end) {
      stopped_ = true;
      break;
    }
    uint32_t length;
    size_t room = total - pos;
    if (code < clear) {
      out[pos] = uint8_t(code);
      length = 1;
    } else if (code < next && havePrevious_) {
      length = length_[code];
      const uint8_t* from = out + offset_[code];
      if (length <= GIFLzwSlack) {
        // A short string: copy a whole block through registers (the source lies before pos,
        // and the bytes past `length` are rewritten by the strings that follow).
        uint64_t a, b;
        std::memcpy(&a, from, 8);
        std::memcpy(&b, from + 8, 8);
        std::memcpy(out + pos, &a, 8);
        std::memcpy(out + pos + 8, &b, 8);
      } else {
        std::memcpy(out + pos, from, std::min<size_t>(length, room));
      }
    } else if (code == next && havePrevious_) {
      // The string the encoder has just defined: the previous string plus its own first
      // byte.  It starts where the previous string was written, right before pos, and
      // overlaps its own output, so it is copied byte by byte.
      length = previousLength_ + 1;
      const size_t count = std::min<size_t>(length, room);
      const uint8_t* from = out + previousPos_;
      for (size_t i = 0; i < count; ++i) out[pos + i] = from[i];
    } else {
      damaged_ = stopped_ = true;
      break;
    }
    if (havePrevious_ && next < GIFTableSize) {
      // The new entry is the previous string followed by the first byte of this one, which
      // is exactly what the output holds from the previous string's start.
      offset_[next] = previousPos_;
      length_[next] = previousLength_ + 1;
      ++next;
    }
    havePrevious_ = true;
    previousPos_ = uint32_t(pos);
    previousLength_ = length;
    pos += std::min<size_t>(length, room);
    if (next >= (1u << width) && width < GIFMaxCodeBits) ++width;
  }
  if (pos >= total) stopped_ = true;
  pos_ = pos;
  in_ = inPos;
  bits_ = bits;
  bitCount_ = bitCount;
  width_ = width;
  next_ = next;
  return pos;
}

void TGIFLzwDecoder::Finish() {
  stopped_ = true;
  std::fill(out_.begin() + ptrdiff_t(pos_), out_.end(), uint8_t(0));
}
