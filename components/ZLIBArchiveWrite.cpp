// TZLBArchive::AddFiles: packing a list of files into a new archive.
#include <algorithm>
#include <cmath>

#include <zlib.h>

#include "FileAccess.h"
#include "ZLBPath.h"
#include "ZLBPlatform.h"
#include "ZLIBArchive.h"

namespace {

// Deflate input is fed in pieces of this size so that progress can be reported while a large
// picture is compressed.
constexpr std::size_t CompressPiece = 1 << 20;

// A member that cannot go into the archive; the walk goes on with the next one.
struct MemberSkipped {
  std::string reason;
};

// A failure of the whole write.
struct WriteFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The temporary archive being written, with the CRC and size of everything written so far.
class ArchiveOutput {
public:
  ArchiveOutput(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}

  std::uint64_t Size() const { return size_; }
  std::uint32_t Crc() const { return static_cast<std::uint32_t>(crc_); }

  void Write(const std::uint8_t* data, std::size_t count) {
    if (count == 0) return;
    if (std::fwrite(data, 1, count, file_) != count)
      throw WriteFailed("Unable to write the temporary archive " + name_);
    crc_ = crc32(crc_, data, static_cast<uInt>(count));
    size_ += count;
  }

private:
  std::FILE* file_;
  std::string name_;
  uLong crc_ = crc32(0, nullptr, 0);
  std::uint64_t size_ = 0;
};

// The whole content of a source file, refusing anything the 32-bit fields cannot describe.
std::vector<std::uint8_t> ReadSource(const std::string& path) {
  const std::string cannotOpen = ZLBFormat(ZLBErrUnableToOpen, path);
  std::uint64_t expected = 0;
  if (!FileSize(path, expected)) throw MemberSkipped{cannotOpen};
  if (expected > ZLBMaxSize) throw MemberSkipped{ZLBFormat("File too large for the archive (%s)", path)};
  TFileHandle file = FileOpen(path, "rb");
  if (!file) throw MemberSkipped{cannotOpen};
  std::vector<std::uint8_t> content;
  content.reserve(static_cast<std::size_t>(expected));
  // The file may have grown since its size was taken; keep reading, but never past the
  // largest size a record can hold.
  std::uint8_t piece[65536];
  while (std::size_t more = std::fread(piece, 1, sizeof piece, file.get())) {
    if (content.size() + more > ZLBMaxSize)
      throw MemberSkipped{ZLBFormat("File too large for the archive (%s)", path)};
    content.insert(content.end(), piece, piece + more);
  }
  if (std::ferror(file.get())) throw MemberSkipped{cannotOpen};
  return content;
}

// A complete zlib stream of data at the given zlib level.  report(done) is called after each
// piece of input.  Returns false when zlib fails (no memory).
template <typename Report>
bool Compress(const std::vector<std::uint8_t>& data, int level, std::vector<std::uint8_t>& out,
              Report report) {
  z_stream z{};
  if (deflateInit(&z, level) != Z_OK) return false;
  out.resize(deflateBound(&z, static_cast<uLong>(data.size())));
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  std::size_t done = 0;
  int status = Z_OK;
  // deflateBound guarantees room for the whole stream, so every pass consumes its piece and
  // the loop ends after size / CompressPiece + 1 passes.
  do {
    const std::size_t take = std::min(CompressPiece, data.size() - done);
    z.next_in = const_cast<Bytef*>(data.data() + done);
    z.avail_in = static_cast<uInt>(take);
    done += take;
    const int flush = done == data.size() ? Z_FINISH : Z_NO_FLUSH;
    status = deflate(&z, flush);
    report(done);
    if (flush == Z_FINISH) break;
  } while (status == Z_OK && z.avail_in == 0);
  const bool complete = status == Z_STREAM_END;
  out.resize(z.total_out);
  deflateEnd(&z);
  return complete;
}

int Percent(std::uint64_t done, std::uint64_t total) {
  return total == 0 ? 100 : static_cast<int>(std::lround(100.0 * done / total));
}

void RemoveQuietly(const std::string& name) { FileDelete(name); }

// Puts the finished temporary archive in place of the target.  The move is one step when both
// lie on the same volume; across volumes the system copies the content, and a copy that fails
// half way is removed so that no partial archive carries the target's name.
void ReplaceTarget(const std::string& temp, const std::string& target) {
  if (FileExists(target)) {
    if (const std::error_code ec = FileDelete(target))
      throw WriteFailed("Unable to replace " + target + " (" + ec.message() + ")");
  }
  if (const std::error_code ec = FileMove(temp, target)) {
    RemoveQuietly(target);
    throw WriteFailed("Unable to write " + target + " (" + ec.message() + ")");
  }
}

}  // namespace

TZLBWriteResult TZLBArchive::AddFiles(std::vector<std::string>& list) {
  if (fileName_.empty()) throw EZLBArchiveError(ZLBErrNoArchive);

  // Folders leave the list; with RecursePaths their files join it at the end.  The walk goes
  // from the end backwards so that what a folder appends is not walked again.
  for (std::size_t i = list.size(); i-- > 0;) {
    if (!FileIsFolder(list[i])) continue;
    const std::string folder = list[i];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    if (RecursePaths) AddFolderFiles(folder, list);
  }

  return WriteArchive(list);
}

TZLBWriteResult TZLBArchive::WriteArchive(std::vector<std::string>& list) {
  TZLBWriteResult result;
  const std::string target = fileName_;
  // Records of an archive opened from disk describe blocks of that file, not of this one.
  entries_.clear();
  std::string temp;
  try {
    temp = GetTempArchiveName();
    TFileHandle file = FileOpenExclusive(temp);
    if (!file) throw WriteFailed(ZLBFormat(ZLBErrUnableToOpen, temp));
    ArchiveOutput out(file.get(), temp);
    const int zlibLevel = ZLBZlibLevel(CompressionLevel);

    std::vector<std::uint8_t> compressed;
    while (!list.empty()) {  // each pass removes one entry
      const std::string path = list.front();
      list.erase(list.begin());
      if (OnErrorLogged && IndexOfEntry(path) >= 0)
        OnErrorLogged(ZLBFormat("%s already exists in the archive", path));
      try {
        const std::vector<std::uint8_t> content = ReadSource(path);
        const std::string updating = "Updating " + path;
        Progress(updating, 0);
        if (!Compress(content, zlibLevel, compressed,
                      [&](std::size_t done) { Progress(updating, Percent(done, content.size())); }))
          throw MemberSkipped{ZLBFormat("Unable to compress file (%s)", path)};

        TZLBEntry entry;
        entry.Name = ZLBFileName(path);
        if (SavePaths) entry.Folder = ZLBStoredFolder(path);
        entry.UncompressedSize = static_cast<std::uint32_t>(content.size());
        entry.Offset = static_cast<std::uint32_t>(out.Size());
        entry.Crc = static_cast<std::uint32_t>(
            crc32(crc32(0, nullptr, 0), content.data(), static_cast<uInt>(content.size())));
        const bool shrinks = compressed.size() < content.size();
        const std::vector<std::uint8_t>& block = shrinks ? compressed : content;
        entry.Method = shrinks ? ZLBMethodZlib : ZLBMethodStored;
        entry.Level = shrinks ? CompressionLevel : 0;
        entry.StoredSize = static_cast<std::uint32_t>(block.size());
        // Room for the block and at least this member's record and the trailer.
        if (out.Size() + block.size() + ZLBRecordSize + ZLBTrailerSize > ZLBMaxSize)
          throw MemberSkipped{ZLBFormat("File too large for the archive (%s)", path)};
        out.Write(block.data(), block.size());
        entries_.push_back(std::move(entry));
      } catch (const MemberSkipped& skipped) {
        LogError(ZLBFormat(ZLBErrUnableToOpen, path));
        result.Skipped.push_back({path, skipped.reason});
      } catch (const std::bad_alloc&) {
        LogError(ZLBFormat(ZLBErrUnableToOpen, path));
        result.Skipped.push_back({path, ZLBFormat("Not enough memory to pack %s", path)});
      }
    }

    Progress("Writing archive registry", 0);
    std::vector<std::uint8_t> records;
    records.reserve(entries_.size() * ZLBRecordSize);
    for (const TZLBEntry& entry : entries_) {
      const TZLBRecordBytes bytes = ZLBEncodeRecord(entry);
      records.insert(records.end(), bytes.begin(), bytes.end());
    }
    TZLBTrailer trailer;
    trailer.Count = static_cast<std::int32_t>(entries_.size());
    if (Compress(records, zlibLevel, compressed, [](std::size_t) {})) {
      trailer.DirectoryCompressed = 1;
      trailer.DirectorySize = static_cast<std::uint32_t>(compressed.size());
    } else {
      trailer.DirectoryCompressed = 0;
      trailer.DirectorySize = static_cast<std::uint32_t>(out.Size());
      compressed = records;
    }
    if (out.Size() + compressed.size() + ZLBTrailerSize > ZLBMaxSize)
      throw WriteFailed("The archive would exceed 2 GiB: " + target);
    out.Write(compressed.data(), compressed.size());
    trailer.Crc = out.Crc();
    const TZLBTrailerBytes trailerBytes = ZLBEncodeTrailer(trailer);
    out.Write(trailerBytes.data(), trailerBytes.size());
    if (std::fclose(file.release()) != 0)
      throw WriteFailed("Unable to write the temporary archive " + temp);

    ReplaceTarget(temp, target);
  } catch (const std::exception& e) {
    // WriteFailed, no temporary file, no memory for the directory, or a throwing handler.
    if (!temp.empty()) RemoveQuietly(temp);
    CloseArchive();
    result.Error = e.what();
    return result;
  }

  try {
    OpenArchive(target);
  } catch (const EZLBArchiveError& e) {
    RemoveQuietly(target);
    result.Error = std::string(e.what()) + " (" + target + ")";
    return result;
  }
  result.Written = true;
  return result;
}
