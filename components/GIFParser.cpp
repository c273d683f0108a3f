#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "GIFLzw.h"
#include "GIFPicture.h"
#include "GIFRows.h"

namespace {

// Frames this large report their progress while their rows are decoded.
constexpr uint64_t GIFProgressMinPixels = 100000;

// Failures unwind to GIFParse through this; it carries the message for the caller.
struct TGIFParseError {
  std::string Message;
};

// The file's bytes with a read position.  Every read checks the end: a read past it fails.
class TGIFReader {
public:
  explicit TGIFReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Position() const { return pos_; }
  size_t Size() const { return bytes_.size(); }
  bool AtEnd() const { return pos_ >= bytes_.size(); }

  std::span<const uint8_t> Read(size_t count, const char* what) {
    if (count > bytes_.size() - pos_) {
      throw TGIFParseError{std::string("unexpected end of data in ") + what + " at offset " +
                           std::to_string(pos_)};
    }
    const auto part = bytes_.subspan(pos_, count);
    pos_ += count;
    return part;
  }
  uint8_t Byte(const char* what) { return Read(1, what)[0]; }
  void Skip(size_t count) { pos_ = std::min(bytes_.size(), pos_ + count); }

  // Passes over a chain of sub-blocks up to and including its zero-length terminator.
  // Bounded: every sub-block advances at least one byte, and reads stop at the end.
  void SkipSubBlocks(const char* what) {
    for (uint8_t size = Byte(what); size != 0; size = Byte(what)) Read(size, what);
  }

private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

uint16_t LittleEndian16(std::span<const uint8_t> bytes, size_t at) {
  return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

void ReadColorTable(TGIFReader& reader, int bits, TGIFColorTable& table, const char* what) {
  const size_t count = size_t(1) << bits;
  const auto rgb = reader.Read(count * 3, what);
  table.fill(0);
  for (size_t i = 0; i < count; ++i) {
    table[i] = TGIFColor(rgb[3 * i]) << 16 | TGIFColor(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
  }
}

// The fewest bytes an image takes: its introducer, descriptor and LZW code size, and the
// terminator of its (empty) data.
constexpr size_t GIFLeastFrameBytes = 1 + 9 + 1 + 1;

class TGIFParser {
public:
  TGIFParser(std::span<const uint8_t> bytes, const TGIFLoadOptions& options, TGIFPicture& picture)
      : reader_(bytes), options_(options), picture_(picture) {}

  void Parse() {
    picture_ = TGIFPicture{};
    if (reader_.Size() == 0) throw TGIFParseError{"no data"};
    const auto header = reader_.Read(6, "header");
    if (std::memcmp(header.data(), "GIF", 3) != 0) {
      throw TGIFParseError{"no GIF signature at offset 0"};
    }
    picture_.Version = header[4] == '9' ? gvGIF89a : gvGIF87a;

    const auto screen = reader_.Read(7, "logical screen descriptor");
    picture_.Width = LittleEndian16(screen, 0);
    picture_.Height = LittleEndian16(screen, 2);
    if (screen[4] & 0x80) {
      picture_.GlobalTableBits = (screen[4] & 7) + 1;
      ReadColorTable(reader_, picture_.GlobalTableBits, picture_.GlobalTable, "global colour table");
    }

    // The frame list is made once, as long as the data could fill, rather than moved at
    // every doubling.
    picture_.Frames.reserve(std::min<size_t>(GIFMaxFrames, reader_.Size() / GIFLeastFrameBytes + 1));

    // Every pass consumes at least one byte, and reads stop at the end of the data: bounded.
    while (!reader_.AtEnd()) {
      Progress();
      const size_t start = reader_.Position();
      const uint8_t introducer = reader_.Byte("block introducer");
      if (introducer == ';') break;
      if (introducer == '!') {
        ReadExtension();
      } else if (introducer == ',') {
        if (int(picture_.Frames.size()) == GIFMaxFrames) break;
        ReadFrame(start);
        if (options_.FirstImageOnly) break;
      } else {
        reader_.Skip(1);   // a stray pair of bytes is passed over
      }
    }
    if (picture_.Frames.empty()) throw TGIFParseError{"no image in the data"};
    // The composed picture and its mask.
    Reserve(GIFBytes32(uint64_t(picture_.Width), uint64_t(picture_.Height)) +
                (picture_.HasTransparency
                     ? GIFBytesMask(uint64_t(picture_.Width), uint64_t(picture_.Height))
                     : 0),
            "the composed picture");
    Progress();
  }

private:
  void Progress() {
    if (!options_.OnProgress) return;
    ProgressAt(reader_.Position());
  }

  void ProgressAt(size_t position) {
    const int64_t size = int64_t(reader_.Size());
    bool keep = true;
    options_.OnProgress(int64_t(position), size, int(int64_t(position) * 100 / size), keep);
    if (!keep) throw TGIFParseError{"loading cancelled at offset " + std::to_string(position)};
  }

  // Counts bitmap bytes against the bound before they are allocated.
  void Reserve(uint64_t bytes, const std::string& what) {
    if (bytes > options_.MaxBitmapBytes - allocated_) {
      throw TGIFParseError{what + " needs more than the " +
                           std::to_string(options_.MaxBitmapBytes >> 20) +
                           " MiB of bitmaps a picture may take"};
    }
    allocated_ += bytes;
  }

  void ReadExtension() {
    const uint8_t label = reader_.Byte("extension label");
    if (label == 0xF9) {
      // Block size, packed byte, delay (2 bytes), transparent index, terminator.
      const auto control = reader_.Read(6, "graphic control extension");
      std::memcpy(control_, control.data(), 6);
      haveControl_ = true;
      return;
    }
    if (label == 0xFF) {
      const uint8_t size = reader_.Byte("application extension");
      const auto identifier = reader_.Read(size, "application extension");
      if (size == 0) return;   // the identifier block was the terminator
      const bool netscape = size >= 11 && std::memcmp(identifier.data(), "NETSCAPE2.0", 11) == 0;
      const uint8_t first = reader_.Byte("application extension");
      if (first == 0) return;
      const auto data = reader_.Read(first, "application extension");
      if (netscape && first >= 3) picture_.LoopCount = LittleEndian16(data, 1);
    }
    reader_.SkipSubBlocks("extension");
  }

  void ReadFrame(size_t start) {
    const int number = int(picture_.Frames.size()) + 1;
    const std::string name = "image " + std::to_string(number);
    const auto descriptor = reader_.Read(9, "image descriptor");
    TGIFFrame& frame = picture_.Frames.emplace_back();
    frame.Left = LittleEndian16(descriptor, 0);
    frame.Top = LittleEndian16(descriptor, 2);
    frame.Width = LittleEndian16(descriptor, 4);
    frame.Height = LittleEndian16(descriptor, 6);
    if (frame.Width == 0 || frame.Height == 0) {
      throw TGIFParseError{name + " has zero width or height (descriptor at offset " +
                           std::to_string(start) + ")"};
    }
    const uint8_t packed = descriptor[8];
    frame.Interlaced = packed & 0x40;
    TGIFSharedColorTable colors;
    if (packed & 0x80) {
      const int bits = (packed & 7) + 1;
      TGIFColorTable local;
      ReadColorTable(reader_, bits, local, "local colour table");
      colors = std::make_shared<const TGIFColorTable>(local);
      picture_.GlobalTableBits = std::max(picture_.GlobalTableBits, bits);
    } else {
      if (!globalTable_) globalTable_ = std::make_shared<const TGIFColorTable>(picture_.GlobalTable);
      colors = globalTable_;
    }
    if (haveControl_) {
      const int disposal = (control_[1] >> 2) & 7;
      frame.Disposal = disposal == 0 || disposal == 1 || disposal == 3 ? disposal : 2;
      frame.Delay = uint32_t(control_[2] | control_[3] << 8) * 10;
      frame.Transparent = (control_[1] & 1) && picture_.Version == gvGIF89a;
      frame.TransparentIndex = control_[4];
      frame.TransparentColor = (*colors)[frame.TransparentIndex];
      haveControl_ = false;
    }

    const uint64_t w = uint64_t(frame.Width), h = uint64_t(frame.Height);
    // The frame's picture, its mask, and its pixels in data order while they are decoded.
    Reserve(GIFBytes8(w, h) + (frame.Transparent ? GIFBytesMask(w, h) : 0) + w * h, name);
    if (frame.Disposal == 3) Reserve(GIFBytes32(w, h) + GIFBytesMask(w, h), name);

    const size_t codeSizeAt = reader_.Position();
    const int codeSize = reader_.Byte("LZW code size");
    if (codeSize < 1 || codeSize > 8) {
      throw TGIFParseError{name + ": LZW code size " + std::to_string(codeSize) +
                           " at offset " + std::to_string(codeSizeAt) +
                           " (codes of 1 to 8 bits per pixel can be decoded)"};
    }
    codes_.clear();
    blocks_.clear();
    // Bounded: every sub-block advances the reader, which stops at the end of the data.
    for (uint8_t size = reader_.Byte("image data"); size != 0; size = reader_.Byte("image data")) {
      blocks_.push_back({codes_.size(), reader_.Position()});
      const auto payload = reader_.Read(size, "image data");
      codes_.insert(codes_.end(), payload.begin(), payload.end());
    }
    frame.Picture = TGIFBitmap8(frame.Width, frame.Height);
    frame.Picture.Colors = std::move(colors);
    if (frame.Transparent) frame.Mask = TGIFMask(frame.Width, frame.Height, false);
    Decode(frame, codeSize);

    picture_.Width = std::max(picture_.Width, frame.Left + frame.Width);
    picture_.Height = std::max(picture_.Height, frame.Top + frame.Height);
    picture_.HasTransparency = picture_.HasTransparency || frame.Transparent;
    if (frame.Disposal == 3) {
      // Until the frame is first drawn, what lay under it is the blank composed picture.
      frame.SavedPicture = TGIFBitmap32(frame.Width, frame.Height);
      frame.SavedMask = TGIFMask(frame.Width, frame.Height, true);
    }
  }

  void Decode(TGIFFrame& frame, int codeSize) {
    const size_t width = size_t(frame.Width), height = size_t(frame.Height);
    const size_t pixels = width * height;
    linear_.resize(pixels + TGIFLzwDecoder::GIFLzwSlack);
    TGIFLzwDecoder decoder(codes_, codeSize, std::span(linear_.data(), pixels));
    if (options_.OnProgress && pixels > GIFProgressMinPixels) {
      const size_t rows = width > 320 ? 32 : 64;
      // Each pass decodes up to `rows` more rows or stops: bounded by the frame's height.
      for (size_t done = 0; !decoder.Stopped() && done < height;) {
        done = std::min(height, done + rows);
        decoder.DecodeTo(done * width);
        ProgressAt(FilePosition(decoder.BytesRead()));
      }
    } else {
      decoder.DecodeTo(pixels);
    }
    decoder.Finish();
    GIFStoreRows({linear_.data(), pixels}, decoder.PixelsOut(), frame);
  }

  // The file position of a byte of the gathered LZW data.
  size_t FilePosition(size_t codeBytes) const {
    const auto after = std::upper_bound(
        blocks_.begin(), blocks_.end(), codeBytes,
        [](size_t bytes, const TGIFSubBlock& block) { return bytes < block.DataOffset; });
    if (after == blocks_.begin()) return reader_.Position();
    const TGIFSubBlock& block = *(after - 1);
    return std::min(block.FileOffset + (codeBytes - block.DataOffset), reader_.Position());
  }

  struct TGIFSubBlock {
    size_t DataOffset;   // where its payload starts in codes_
    size_t FileOffset;   // and in the file
  };

  TGIFReader reader_;
  const TGIFLoadOptions& options_;
  TGIFPicture& picture_;
  uint8_t control_[6] = {};
  bool haveControl_ = false;
  uint64_t allocated_ = 0;
  TGIFSharedColorTable globalTable_;   // made when the first frame without a local table needs it
  std::vector<uint8_t> codes_;
  std::vector<TGIFSubBlock> blocks_;
  std::vector<uint8_t> linear_;
};

}  // namespace

bool GIFParse(std::span<const uint8_t> bytes, const TGIFLoadOptions& options,
              TGIFPicture& picture, std::string& error) {
  try {
    TGIFParser(bytes, options, picture).Parse();
    return true;
  } catch (const TGIFParseError& failure) {
    error = failure.Message;
    return false;
  } catch (const std::bad_alloc&) {
    error = "out of memory while decoding";
    return false;
  }
}
