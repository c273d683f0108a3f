// The differential check of our GIF decoder against giflib's DGifSlurp.  For every input the
// two must both refuse it, or both accept it with the same screen size, frame count, frame
// rectangles and interlacing, colour tables, graphic control data (delay, disposal,
// transparency), loop count and colour indices of every frame.  Where they rightly differ, the
// rule is stated once here and cited by its number where it is applied; everything else is
// compared.
//
// Rule 1, reading.  At these places the two readings part, after which they no longer see the
//   same blocks; the input is compared up to the first of them, closed by a trailer.
//   - A byte that starts no block: we pass over it and the byte after it (the control's rule);
//     giflib refuses the file.
//   - A graphic control extension other than size 4, four bytes, terminator: we read 6 fixed
//     bytes whatever its size byte says (the control's rule); giflib reads its sub-blocks by
//     their sizes.
//   - Any other extension whose label is followed at once by its terminator: it ends there for
//     us, as the grammar of the format says; giflib reads the byte after the terminator as the
//     size of a further sub-block.
//   - An extension of label 0: giflib records it exactly as it records the further sub-blocks
//     of the extension before it, so its record of the two cannot be told apart.
//   - The 257th image: we stop reading there (the control keeps 256 frames); giflib reads on.
//   - The end of the data where a block would start: it ends the file for us (the control reads
//     while there is data); giflib needs the trailer.
// Rule 2, damaged image data.  At a code naming an entry not yet defined, at an end code before
//   the last pixel and where the data ends first, we keep what was decoded, the pixels not
//   reached hold index 0, and we read on: a picture damaged near its end still shows what it
//   holds.  giflib refuses the file there, or at an undefined code often decodes on with pixels
//   made up from whatever its table holds.  The pixels before that code are compared, those
//   after it must be 0 in ours; where giflib refused, the input is compared up to the end of
//   that frame.  How many pixels come before it is counted here from the codes (LzwPixels).
// Rule 3, frames outside the screen.  We enlarge the picture to the furthest right and bottom
//   frame edge, so that every frame is drawn whole; giflib keeps the screen descriptor's size.
// Rule 4, the bound on bitmap memory (here the fuzz build's GIFFuzzMaxBitmapBytes).  We refuse
//   a file whose bitmaps, counted as the decoder counts them, exceed it: a few bytes of a file
//   can declare gigabytes.  giflib allocates whatever the file declares.  A frame whose pixels
//   alone exceed half the bound is refused by us whatever follows (its 8-bit picture and its
//   pixels in data order take two bytes a pixel) and is not shown to giflib.
// Rule 5, LZW code sizes.  We refuse a frame whose code size is outside 1 to 8: above 8 the
//   indices do not fit an 8-bit picture (giflib refuses those too), and 0, below the standard's
//   least of 2, names colour 0 alone and is written by no encoder; giflib decodes it.  The
//   input is compared up to that frame.
// Rule 6, graphic control data.  The last extension before an image applies, only a GIF89a file
//   makes a frame transparent, and disposal values 4 to 7 are read as 2: the control's rules.
//   giflib reports the raw extension blocks, which are read here by these rules.
#include "GIFFuzzChecks.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "GIFPicture.h"
#include "GiflibMemory.h"

namespace {

using TBytes = std::vector<uint8_t>;

uint16_t LittleEndian16(std::span<const uint8_t> bytes, size_t at) {
  return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

// ---- The block structure as both read it, and where their readings part (rule 1) ----

struct TWalkImage {
  size_t Offset = 0;       // of its ","
  size_t End = 0;          // just past its terminator; 0 when the data ends inside the image
  uint64_t Pixels = 0;     // width × height; 0 when the descriptor is cut off
  int CodeSize = -1;       // -1 when the data ends before it
  TBytes Codes;            // its LZW data, the sub-blocks without their size bytes
};

struct TWalk {
  std::vector<TWalkImage> Images;
  // Where the readings part; none when the data ends inside a block (both then fail).
  std::optional<size_t> Cut;
};

// Walks the blocks of a GIF file by the standard's grammar, the reading giflib and we share.
// Every step advances, and reads stop at the end of the data: bounded.
TWalk Walk(std::span<const uint8_t> b) {
  TWalk walk;
  const size_t size = b.size();
  if (size < 13) return walk;
  size_t pos = 13;
  if (b[10] & 0x80) pos += size_t(3) << ((b[10] & 7) + 1);
  if (pos > size) return walk;
  // Passes over sub-blocks up to their terminator, keeping their payload in `payload` if given;
  // false when the data ends first.
  auto skipSubBlocks = [&](TBytes* payload) {
    while (pos < size) {
      const uint8_t n = b[pos++];
      if (n == 0) return true;
      if (payload) {
        payload->insert(payload->end(), b.begin() + ptrdiff_t(pos),
                        b.begin() + ptrdiff_t(std::min(size, pos + n)));
      }
      pos += n;
    }
    return false;
  };
  for (;;) {
    if (pos == size || b[pos] == ';') break;
    if (b[pos] == '!') {
      if (pos + 2 >= size) return walk;
      if (b[pos + 1] == 0xF9) {
        if (b[pos + 2] != 4) break;
        if (pos + 8 > size) return walk;
        if (b[pos + 7] != 0) break;
        pos += 8;
      } else {
        if (b[pos + 1] == CONTINUE_EXT_FUNC_CODE || b[pos + 2] == 0) break;
        pos += 2;
        if (!skipSubBlocks(nullptr)) return walk;
      }
    } else if (b[pos] == ',') {
      if (walk.Images.size() == size_t(GIFMaxFrames)) break;
      TWalkImage& image = walk.Images.emplace_back();
      image.Offset = pos;
      if (pos + 10 > size) return walk;
      image.Pixels = uint64_t(LittleEndian16(b, pos + 5)) * LittleEndian16(b, pos + 7);
      const uint8_t packed = b[pos + 9];
      pos += 10;
      if (packed & 0x80) pos += size_t(3) << ((packed & 7) + 1);
      if (pos >= size) return walk;
      image.CodeSize = b[pos++];
      if (!skipSubBlocks(&image.Codes)) return walk;
      image.End = pos;
    } else {
      break;
    }
  }
  walk.Cut = pos;
  return walk;
}

// Rule 2: the pixels, at most `limit`, that LZW data yields before it stops at its end code, at
// the end of the data or of a code, or at a code naming an entry not yet defined.  The GIF
// standard's rules: codes least significant bit first, clear code 2^m, end code 2^m + 1, codes
// m + 1 bits wide growing by a bit when the next entry reaches 2^width, up to 12 bits and 4096
// entries.  Only lengths are kept: the pixels themselves are giflib's.  Each pass takes a code
// or stops, and the codes are finite: bounded.
uint64_t LzwPixels(std::span<const uint8_t> codes, int minCodeSize, uint64_t limit) {
  const uint32_t clear = 1u << minCodeSize, end = clear + 1;
  std::array<uint32_t, 4096> length;
  length.fill(1);
  int width = minCodeSize + 1;
  uint32_t next = clear + 2, previous = 0;
  bool havePrevious = false;
  uint64_t pixels = 0, bit = 0;
  const uint64_t bits = uint64_t(codes.size()) * 8;
  while (pixels < limit && bit + uint64_t(width) <= bits) {
    uint32_t code = 0;
    for (int i = 0; i < width; ++i, ++bit) code |= uint32_t(codes[bit / 8] >> (bit % 8) & 1) << i;
    if (code == clear) {
      width = minCodeSize + 1;
      next = clear + 2;
      havePrevious = false;
      continue;
    }
    if (code == end) break;
    uint32_t count;
    if (code < clear) {
      count = 1;
    } else if (havePrevious && code < next) {
      count = length[code];
    } else if (havePrevious && code == next) {
      count = length[previous] + 1;
    } else {
      break;
    }
    if (havePrevious && next < 4096) length[next++] = length[previous] + 1;
    havePrevious = true;
    previous = code;
    pixels += count;
    if (next == (1u << width) && width < 12) ++width;
  }
  return std::min(pixels, limit);
}

// The picture rows in the order the data fills them: all rows, or the four interlace passes.
std::vector<int> DataRows(int height, bool interlaced) {
  std::vector<int> rows;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
    for (int y = start; y < height; y += step) rows.push_back(y);
  }
  return rows;
}

// The first `length` bytes closed by a trailer.
TBytes Prefix(std::span<const uint8_t> bytes, size_t length) {
  TBytes prefix(bytes.begin(), bytes.begin() + ptrdiff_t(length));
  prefix.push_back(';');
  return prefix;
}

// ---- giflib ----

struct TPeer {
  TGiflibInput Input;
  TGiflibFile Gif;
  bool Ok = false;
  // The frame whose image data giflib refused (rule 2), -1 for none.
  int DamagedFrame = -1;

  explicit TPeer(std::span<const uint8_t> bytes) : Input{bytes} {
    Gif = GiflibOpen(Input);
    if (!Gif) return;
    Ok = DGifSlurp(Gif.get()) == GIF_OK;
    // DGifSlurp counts an image before decoding its data and fails with one of these two
    // errors only there.
    if (!Ok && (Gif->Error == D_GIF_ERR_IMAGE_DEFECT || Gif->Error == D_GIF_ERR_EOF_TOO_SOON) &&
        Gif->ImageCount > 0) {
      DamagedFrame = Gif->ImageCount - 1;
    }
  }

  // The extension blocks read before frame k.  Those of a frame whose data failed are still
  // pending on the file.
  std::span<const ExtensionBlock> Extensions(int k) const {
    const SavedImage& image = Gif->SavedImages[k];
    if (k == DamagedFrame) return {Gif->ExtensionBlocks, size_t(Gif->ExtensionBlockCount)};
    return {image.ExtensionBlocks, size_t(image.ExtensionBlockCount)};
  }
};

// ---- What we expect of each frame, from giflib's reading and our rules ----

struct TExpectedControl {
  bool Present = false;   // the frame has a graphic control extension
  uint32_t Delay = 0;
  int Disposal = 0;
  bool Transparent = false;
  uint8_t TransparentIndex = 0;
};

// Rule 6.  The walk passes only 4-byte graphic control blocks on to both readers.
TExpectedControl ExpectedControl(std::span<const ExtensionBlock> blocks, bool gif89a) {
  TExpectedControl control;
  for (const ExtensionBlock& block : blocks) {
    if (block.Function != GRAPHICS_EXT_FUNC_CODE || block.ByteCount != 4) continue;
    control.Present = true;
    const int disposal = (block.Bytes[0] >> 2) & 7;
    control.Disposal = disposal == 0 || disposal == 1 || disposal == 3 ? disposal : 2;
    control.Delay = uint32_t(block.Bytes[1] | block.Bytes[2] << 8) * 10;
    control.Transparent = (block.Bytes[0] & 1) && gif89a;
    control.TransparentIndex = block.Bytes[3];
  }
  return control;
}

TGIFColorTable ExpectedTable(const ColorMapObject* map) {
  TGIFColorTable table{};
  for (int i = 0; map && i < map->ColorCount && i < 256; ++i) {
    const GifColorType& c = map->Colors[i];
    table[size_t(i)] = TGIFColor(c.Red) << 16 | TGIFColor(c.Green) << 8 | c.Blue;
  }
  return table;
}

std::string Mismatch(const std::string& what, int64_t ours, int64_t theirs) {
  return what + ": ours " + std::to_string(ours) + ", giflib " + std::to_string(theirs);
}

std::string FirstTableMismatch(const std::string& what, const TGIFColorTable& ours,
                               const TGIFColorTable& theirs) {
  for (size_t i = 0; i < ours.size(); ++i) {
    if (ours[i] != theirs[i]) {
      return Mismatch(what + " entry " + std::to_string(i), ours[i], theirs[i]);
    }
  }
  return "";
}

// NETSCAPE2.0 among extension blocks: the loop count is bytes 1 and 2 of the block after the
// identifier; the last such extension wins.
void ReadLoopCount(std::span<const ExtensionBlock> blocks, int& loopCount) {
  for (size_t e = 0; e + 1 < blocks.size(); ++e) {
    if (blocks[e].Function == APPLICATION_EXT_FUNC_CODE && blocks[e].ByteCount >= 11 &&
        std::memcmp(blocks[e].Bytes, "NETSCAPE2.0", 11) == 0 &&
        blocks[e + 1].Function == CONTINUE_EXT_FUNC_CODE && blocks[e + 1].ByteCount >= 3) {
      loopCount = blocks[e + 1].Bytes[1] | blocks[e + 1].Bytes[2] << 8;
    }
  }
}

// Compares the frames giflib read with ours, each up to where its data stops (rule 2), and the
// pictures they make.
std::string CompareFrames(const TGIFPicture& ours, const TPeer& peer, const TWalk& walk,
                          bool gif89a) {
  const GifFileType& gif = *peer.Gif;
  const int count = gif.ImageCount;
  if (int(ours.Frames.size()) != count) {
    return Mismatch("frame count", int64_t(ours.Frames.size()), count);
  }
  if (size_t(count) > walk.Images.size()) {
    return "giflib read " + std::to_string(count) + " frames where the walk of the blocks found " +
           std::to_string(walk.Images.size());
  }
  int width = gif.SWidth, height = gif.SHeight;   // rule 3
  int tableBits = gif.SColorMap ? gif.SColorMap->BitsPerPixel : 0;
  bool transparency = false;
  int loopCount = 1;
  if (auto m = FirstTableMismatch("global table", ours.GlobalTable, ExpectedTable(gif.SColorMap));
      !m.empty()) {
    return m;
  }
  for (int k = 0; k < count; ++k) {
    const std::string name = "frame " + std::to_string(k + 1);
    const GifImageDesc& d = gif.SavedImages[k].ImageDesc;
    const TGIFFrame& frame = ours.Frames[size_t(k)];
    width = std::max(width, d.Left + d.Width);
    height = std::max(height, d.Top + d.Height);
    if (d.ColorMap) tableBits = std::max(tableBits, d.ColorMap->BitsPerPixel);
    if (frame.Left != d.Left) return Mismatch(name + " left", frame.Left, d.Left);
    if (frame.Top != d.Top) return Mismatch(name + " top", frame.Top, d.Top);
    if (frame.Width != d.Width) return Mismatch(name + " width", frame.Width, d.Width);
    if (frame.Height != d.Height) return Mismatch(name + " height", frame.Height, d.Height);
    if (frame.Interlaced != d.Interlace) {
      return Mismatch(name + " interlacing", frame.Interlaced, d.Interlace);
    }
    const TGIFColorTable colors = ExpectedTable(d.ColorMap ? d.ColorMap : gif.SColorMap);
    if (auto m = FirstTableMismatch(name + " colour table", *frame.Picture.Colors, colors);
        !m.empty()) {
      return m;
    }

    const auto extensions = peer.Extensions(k);
    ReadLoopCount(extensions, loopCount);
    const TExpectedControl control = ExpectedControl(extensions, gif89a);
    if (frame.Delay != control.Delay) return Mismatch(name + " delay", frame.Delay, control.Delay);
    if (frame.Disposal != control.Disposal) {
      return Mismatch(name + " disposal", frame.Disposal, control.Disposal);
    }
    if (frame.Transparent != control.Transparent) {
      return Mismatch(name + " transparency", frame.Transparent, control.Transparent);
    }
    if (frame.TransparentIndex != control.TransparentIndex) {
      return Mismatch(name + " transparent index", frame.TransparentIndex,
                      control.TransparentIndex);
    }
    // Without the extension the file names no transparent index whose colour could be kept.
    if (control.Present && frame.TransparentColor != colors[control.TransparentIndex]) {
      return Mismatch(name + " transparent colour", frame.TransparentColor,
                      colors[control.TransparentIndex]);
    }
    transparency = transparency || control.Transparent;

    // Rule 2: giflib's pixels stand for the data up to where it stops; after that ours are 0.
    const TWalkImage& image = walk.Images[size_t(k)];
    const uint64_t area = uint64_t(d.Width) * uint64_t(d.Height);
    const uint64_t decoded = LzwPixels(image.Codes, image.CodeSize, area);
    if (k == peer.DamagedFrame && decoded == area) {
      return name + ": giflib refuses data that is whole by the standard";
    }
    const GifByteType* raster = gif.SavedImages[k].RasterBits;
    const std::vector<int> rows = DataRows(d.Height, d.Interlace);
    for (uint64_t n = 0; n < area; ++n) {
      const int x = int(n % uint64_t(d.Width)), y = rows[size_t(n / uint64_t(d.Width))];
      const uint8_t pixel = frame.Picture.Row(y)[x];
      const bool reached = n < decoded;
      const uint8_t expected = reached ? raster[size_t(y) * size_t(d.Width) + size_t(x)] : 0;
      const bool white = control.Transparent && reached && expected == control.TransparentIndex;
      auto at = [&] {
        return name + " pixel (" + std::to_string(x) + ", " + std::to_string(y) + "), " +
               (reached ? "decoded" : "not reached");
      };
      if (pixel != expected) return Mismatch(at(), pixel, expected);
      if (control.Transparent && frame.Mask.White(x, y) != white) {
        return Mismatch(at() + ", mask bit", frame.Mask.White(x, y), white);
      }
    }
  }
  if (peer.DamagedFrame < 0) {
    // The extensions after the last image.
    ReadLoopCount({gif.ExtensionBlocks, size_t(gif.ExtensionBlockCount)}, loopCount);
  }
  if (ours.Width != width) return Mismatch("picture width", ours.Width, width);
  if (ours.Height != height) return Mismatch("picture height", ours.Height, height);
  if (ours.GlobalTableBits != tableBits) {
    return Mismatch("largest colour table (bits)", ours.GlobalTableBits, tableBits);
  }
  if (ours.HasTransparency != transparency) {
    return Mismatch("transparency of the picture", ours.HasTransparency, transparency);
  }
  if (ours.LoopCount != loopCount) return Mismatch("loop count", ours.LoopCount, loopCount);
  return "";
}

// Rule 4: the bitmap bytes our decoder counts for giflib's frames.
uint64_t BitmapBytes(const TPeer& peer, bool gif89a) {
  const GifFileType& gif = *peer.Gif;
  uint64_t total = 0;
  uint64_t width = uint64_t(gif.SWidth), height = uint64_t(gif.SHeight);
  bool transparency = false;
  for (int k = 0; k < gif.ImageCount; ++k) {
    const GifImageDesc& d = gif.SavedImages[k].ImageDesc;
    const uint64_t w = uint64_t(d.Width), h = uint64_t(d.Height);
    const TExpectedControl control = ExpectedControl(peer.Extensions(k), gif89a);
    total += GIFBytes8(w, h) + (control.Transparent ? GIFBytesMask(w, h) : 0) + w * h;
    if (control.Disposal == 3) total += GIFBytes32(w, h) + GIFBytesMask(w, h);
    width = std::max(width, uint64_t(d.Left) + w);
    height = std::max(height, uint64_t(d.Top) + h);
    transparency = transparency || control.Transparent;
  }
  return total + GIFBytes32(width, height) + (transparency ? GIFBytesMask(width, height) : 0);
}

struct TOurs {
  bool Ok = false;
  TGIFPicture Picture;
  std::string Error;

  explicit TOurs(std::span<const uint8_t> bytes) {
    TGIFLoadOptions options;
    options.MaxBitmapBytes = GIFFuzzMaxBitmapBytes;
    Ok = GIFParse(bytes, options, Picture, Error);
  }
};

}  // namespace

std::string GIFGiflibDiff(std::span<const uint8_t> bytes) {
  const TWalk walk = Walk(bytes);
  const bool gif89a = bytes.size() > 4 && bytes[4] == '9';
  // Rule 1: what both read alike.
  TBytes shown = walk.Cut ? Prefix(bytes, *walk.Cut) : TBytes(bytes.begin(), bytes.end());

  // Rules 4 and 5: a frame we refuse whatever surrounds it; giflib is shown what comes before.
  for (size_t k = 0; k < walk.Images.size(); ++k) {
    const TWalkImage& image = walk.Images[k];
    const bool codeSize = image.CodeSize == 0 || image.CodeSize > 8;
    if (!codeSize && image.Pixels <= GIFFuzzMaxBitmapBytes / 2) continue;
    if (const TOurs ours(shown); ours.Ok) {
      return "we accept frame " + std::to_string(k + 1) +
             (codeSize ? ", whose LZW code size is " + std::to_string(image.CodeSize)
                       : ", whose pixels exceed half the bound");
    }
    shown = Prefix(bytes, image.Offset);
    break;
  }

  const TPeer peer(shown);
  std::span<const uint8_t> ourInput = shown;
  TBytes shortened;
  if (peer.DamagedFrame >= 0) {
    // Rule 2.  giflib's reading ended inside this frame, so it reads the same without what
    // follows the frame, and we are given that.
    if (size_t(peer.DamagedFrame) >= walk.Images.size()) {
      return "giflib decoded frame " + std::to_string(peer.DamagedFrame + 1) +
             " where the walk of the blocks found none";
    }
    const TWalkImage& image = walk.Images[size_t(peer.DamagedFrame)];
    if (image.End == 0) {
      // The data ends inside that frame: both refuse the file.
      if (const TOurs ours(shown); ours.Ok) return "we accept data that ends inside a frame";
      return "";
    }
    shortened = Prefix(bytes, image.End);
    ourInput = shortened;
  }

  const TOurs ours(ourInput);
  if (!peer.Ok && peer.DamagedFrame < 0) {
    if (!ours.Ok) return "";
    return "we accept what giflib refuses (giflib error " +
           std::to_string(peer.Gif ? peer.Gif->Error : -1) + ")";
  }
  const uint64_t needed = BitmapBytes(peer, gif89a);
  if (!ours.Ok) {
    if (needed > GIFFuzzMaxBitmapBytes) return "";   // rule 4
    return "we refuse what giflib reads: " + ours.Error;
  }
  if (needed > GIFFuzzMaxBitmapBytes) {
    return "we accept " + std::to_string(needed) + " bytes of bitmaps, beyond the bound";
  }
  return CompareFrames(ours.Picture, peer, walk, gif89a);
}
