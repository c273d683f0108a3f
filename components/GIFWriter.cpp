#include "GIFWriter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr int MaxSide = 65535;  // sizes are 16-bit fields

[[noreturn]] void Fail(const std::string& what) { throw std::invalid_argument("GIF writer: " + what); }

std::string FrameName(size_t index) { return "frame " + std::to_string(index + 1); }

void Put16(std::vector<uint8_t>& out, int value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

void PutTable(std::vector<uint8_t>& out, const std::vector<uint32_t>& table) {
  const size_t count = size_t(1) << GIFTableBits(table.size());
  for (size_t i = 0; i < count; ++i) {
    const uint32_t c = i < table.size() ? table[i] : 0;
    out.push_back(uint8_t(c >> 16));
    out.push_back(uint8_t(c >> 8));
    out.push_back(uint8_t(c));
  }
}

void PutSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data) {
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t size = std::min<size_t>(255, data.size() - at);
    out.push_back(uint8_t(size));
    out.insert(out.end(), data.begin() + ptrdiff_t(at), data.begin() + ptrdiff_t(at + size));
  }
  out.push_back(0);
}

void CheckSide(int value, const std::string& what) {
  if (value < 1 || value > MaxSide) Fail(what + " " + std::to_string(value) + " is outside 1 to 65535");
}

void Check(const TGIFFileSpec& file) {
  CheckSide(file.Width, "screen width");
  CheckSide(file.Height, "screen height");
  if (file.GlobalTable.size() > 256) {
    Fail("global colour table of " + std::to_string(file.GlobalTable.size()) + " colours (at most 256)");
  }
  if (file.LoopCount < -1 || file.LoopCount > MaxSide) {
    Fail("loop count " + std::to_string(file.LoopCount) + " is outside 0 to 65535");
  }
  if (file.Frames.empty()) Fail("no frame");
  for (size_t k = 0; k < file.Frames.size(); ++k) {
    const TGIFFrameSpec& f = file.Frames[k];
    const std::string name = FrameName(k);
    CheckSide(f.Width, name + ": width");
    CheckSide(f.Height, name + ": height");
    if (f.Left < 0 || f.Top < 0 || f.Left + f.Width > file.Width || f.Top + f.Height > file.Height) {
      Fail(name + ": " + std::to_string(f.Width) + " x " + std::to_string(f.Height) + " at (" +
           std::to_string(f.Left) + ", " + std::to_string(f.Top) + ") lies outside the " +
           std::to_string(file.Width) + " x " + std::to_string(file.Height) + " screen");
    }
    if (f.Pixels.size() != size_t(f.Width) * size_t(f.Height)) {
      Fail(name + ": " + std::to_string(f.Pixels.size()) + " pixels for " + std::to_string(f.Width) +
           " x " + std::to_string(f.Height));
    }
    if (f.LocalTable.size() > 256) {
      Fail(name + ": local colour table of " + std::to_string(f.LocalTable.size()) + " colours (at most 256)");
    }
    if (f.LocalTable.empty() && file.GlobalTable.empty()) Fail(name + ": no colour table");
    if (f.Disposal < 0 || f.Disposal > 7) Fail(name + ": disposal " + std::to_string(f.Disposal) + " is outside 0 to 7");
    if (f.Delay < 0 || f.Delay > MaxSide) Fail(name + ": delay " + std::to_string(f.Delay) + " is outside 0 to 65535");
  }
}

}  // namespace

int GIFTableBits(size_t colors) {
  int bits = 1;
  while ((size_t(1) << bits) < colors) ++bits;
  return bits;
}

std::vector<uint8_t> GIFWrite(const TGIFFileSpec& file) {
  Check(file);
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, file.Width);
  Put16(out, file.Height);
  // Global table flag, colour resolution 8 bits (field 7), table size field.
  const int globalBits = GIFTableBits(file.GlobalTable.size());
  out.push_back(file.GlobalTable.empty() ? 0x70 : uint8_t(0xF0 | (globalBits - 1)));
  out.push_back(file.BackgroundIndex);
  out.push_back(0);  // no pixel aspect ratio
  if (!file.GlobalTable.empty()) PutTable(out, file.GlobalTable);
  if (file.LoopCount >= 0) {
    const uint8_t netscape[] = {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1};
    out.insert(out.end(), std::begin(netscape), std::end(netscape));
    Put16(out, file.LoopCount);
    out.push_back(0);
  }
  for (size_t k = 0; k < file.Frames.size(); ++k) {
    const TGIFFrameSpec& frame = file.Frames[k];
    if (frame.Control) {
      out.insert(out.end(), {'!', 0xF9, 4});
      out.push_back(uint8_t(frame.Disposal << 2 | (frame.Transparent ? 1 : 0)));
      Put16(out, frame.Delay);
      out.push_back(frame.TransparentIndex);
      out.push_back(0);
    }
    out.push_back(',');
    Put16(out, frame.Left);
    Put16(out, frame.Top);
    Put16(out, frame.Width);
    Put16(out, frame.Height);
    uint8_t packed = frame.Interlaced ? 0x40 : 0;
    if (!frame.LocalTable.empty()) packed |= uint8_t(0x80 | (GIFTableBits(frame.LocalTable.size()) - 1));
    out.push_back(packed);
    if (!frame.LocalTable.empty()) PutTable(out, frame.LocalTable);

    std::vector<uint8_t> interlaced;
    if (frame.Interlaced) {
      interlaced.reserve(frame.Pixels.size());
      for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = start; y < frame.Height; y += step) {
          const auto row = frame.Pixels.begin() + ptrdiff_t(y) * frame.Width;
          interlaced.insert(interlaced.end(), row, row + frame.Width);
        }
      }
    }
    std::vector<uint8_t> codes;
    try {
      codes = GIFLzwEncode(frame.Interlaced ? interlaced : frame.Pixels, frame.MinCodeSize, frame.FullTable);
    } catch (const std::invalid_argument& e) {
      Fail(FrameName(k) + ": " + e.what());
    }
    out.push_back(uint8_t(frame.MinCodeSize));
    PutSubBlocks(out, codes);
  }
  out.push_back(';');
  return out;
}
