#include "SlideArchive.h"

#include <zlib.h>

#include <algorithm>
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

// Pieces of work between two looks at the cancel request: a megabyte takes a few
// milliseconds to read, inflate or sum.
constexpr std::size_t SlidePiece = std::size_t(1) << 20;

bool SlideAsked(const std::function<bool()>& cancelled) { return cancelled && cancelled(); }

// Inflates one complete zlib stream into exactly out.size() bytes; false when the stream is
// damaged, ends early or holds more.  Throws `abandoned` when cancelled.
bool SlideInflate(const std::vector<std::uint8_t>& block, std::vector<std::uint8_t>& out,
                  const std::function<bool()>& cancelled, const ESlideError& abandoned) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  struct Guard {
    z_stream* z;
    ~Guard() { inflateEnd(z); }
  } guard{&z};
  z.next_in = const_cast<Bytef*>(block.data());
  z.avail_in = uInt(block.size());
  z.next_out = out.data();
  std::size_t left = out.size();
  // Each pass fills up to a piece of the output; the output's size bounds the passes, and a
  // pass that cannot fill its room ends the stream or finds it damaged.
  for (;;) {
    if (SlideAsked(cancelled)) throw abandoned;
    const std::size_t room = std::min(left, SlidePiece);
    z.avail_out = uInt(room);
    const int status = inflate(&z, room == left ? Z_FINISH : Z_NO_FLUSH);
    left -= room - z.avail_out;
    // A member of size 0 has no room to write: Z_BUF_ERROR then only means "no progress".
    if (status == Z_STREAM_END) return left == 0;
    if (left == 0 || (status != Z_OK && status != Z_BUF_ERROR) || z.avail_out != 0) return false;
  }
}

}  // namespace

TSlideArchive::TSlideArchive(std::unique_ptr<std::istream> stream) : stream_(std::move(stream)) {
  stream_->seekg(0, std::ios::end);
  size_ = std::uint64_t(stream_->tellg());
  stream_->seekg(0);
  contents_ = ZLBReadDirectory(*stream_);
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

std::vector<std::uint8_t> TSlideArchive::Read(int index, const std::function<bool()>& cancelled) {
  const TZLBEntry& entry = contents_.Entries.at(std::size_t(index));
  const ESlideError damaged("Damaged archive member " + entry.Name);
  const ESlideError abandoned("Reading " + entry.Name + " abandoned");
  // Both sizes are bounded by the archive's own size (a stored member) or by what a zlib
  // stream can expand to (1032:1), so a lying record cannot make us take unbounded memory.
  if (std::uint64_t(entry.Offset) + entry.StoredSize > size_ ||
      (entry.Method == ZLBMethodStored && entry.StoredSize != entry.UncompressedSize) ||
      std::uint64_t(entry.UncompressedSize) > std::uint64_t(entry.StoredSize) * 1032 + 64)
    throw damaged;
  std::vector<std::uint8_t> block(entry.StoredSize);
  {
    const std::lock_guard<std::mutex> lock(streamLock_);
    stream_->clear();
    stream_->seekg(std::streamoff(entry.Offset));
    for (std::size_t done = 0; done < block.size();) {  // bounded by the block's size
      if (SlideAsked(cancelled)) throw abandoned;
      const std::size_t take = std::min(block.size() - done, SlidePiece);
      if (!stream_->read(reinterpret_cast<char*>(block.data() + done), std::streamsize(take))) throw damaged;
      done += take;
    }
  }
  std::vector<std::uint8_t> content;
  if (entry.Method == ZLBMethodStored) {
    content = std::move(block);
  } else if (entry.Method == ZLBMethodZlib) {
    content.resize(entry.UncompressedSize);
    if (!SlideInflate(block, content, cancelled, abandoned)) throw damaged;
  } else {
    throw damaged;
  }
  uLong crc = crc32(0, nullptr, 0);
  for (std::size_t done = 0; done < content.size();) {
    if (SlideAsked(cancelled)) throw abandoned;
    const std::size_t take = std::min(content.size() - done, SlidePiece);
    crc = crc32(crc, content.data() + done, uInt(take));
    done += take;
  }
  if (crc != entry.Crc) throw damaged;
  return content;
}
