#include "SlideArchive.h"

#include <zlib.h>

#include <cstring>

#include "SlideBitmap.h"

namespace {

bool SlideSameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Inflates one complete zlib stream into exactly `size` bytes; false when the stream is
// damaged, ends early or holds more.
bool SlideInflate(const std::vector<std::uint8_t>& block, std::vector<std::uint8_t>& out) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(block.data());
  z.avail_in = uInt(block.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  int status = inflate(&z, Z_FINISH);
  // A member of size 0 has no room to write: Z_BUF_ERROR then only means "no progress".
  const bool whole = status == Z_STREAM_END && z.avail_out == 0;
  inflateEnd(&z);
  return whole;
}

}  // namespace

TSlideArchive::TSlideArchive(std::unique_ptr<std::istream> stream) : stream_(std::move(stream)) {
  stream_->seekg(0, std::ios::end);
  size_ = std::uint64_t(stream_->tellg());
  stream_->seekg(0);
  contents_ = ZLBReadArchive(*stream_);
}

int TSlideArchive::Find(const std::string& name) const {
  for (std::size_t i = 0; i < contents_.Entries.size(); ++i)
    if (SlideSameName(contents_.Entries[i].Name, name)) return int(i);
  return -1;
}

std::vector<std::string> TSlideArchive::Names() const {
  std::vector<std::string> names;
  for (const TZLBEntry& entry : contents_.Entries) names.push_back(entry.Name);
  return names;
}

std::vector<std::uint8_t> TSlideArchive::Read(int index) {
  const TZLBEntry& entry = contents_.Entries.at(std::size_t(index));
  const ESlideError damaged("Damaged archive member " + entry.Name);
  // Both sizes are bounded by the archive's own size (a stored member) or by what a zlib
  // stream can expand to (1032:1), so a lying record cannot make us take unbounded memory.
  if (std::uint64_t(entry.Offset) + entry.StoredSize > size_ ||
      (entry.Method == ZLBMethodStored && entry.StoredSize != entry.UncompressedSize) ||
      std::uint64_t(entry.UncompressedSize) > std::uint64_t(entry.StoredSize) * 1032 + 64)
    throw damaged;
  std::vector<std::uint8_t> block(entry.StoredSize);
  stream_->clear();
  stream_->seekg(std::streamoff(entry.Offset));
  if (!stream_->read(reinterpret_cast<char*>(block.data()), std::streamsize(block.size())))
    throw damaged;
  std::vector<std::uint8_t> content;
  if (entry.Method == ZLBMethodStored) {
    content = std::move(block);
  } else if (entry.Method == ZLBMethodZlib) {
    content.resize(entry.UncompressedSize);
    if (!SlideInflate(block, content)) throw damaged;
  } else {
    throw damaged;
  }
  const uLong crc = crc32(crc32(0, nullptr, 0), content.data(), uInt(content.size()));
  if (crc != entry.Crc) throw damaged;
  return content;
}
