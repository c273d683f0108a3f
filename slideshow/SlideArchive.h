#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ZLIBArchiveReader.h"

// The saver's side of the slideshow archive: the checked directory of an archive and the
// content of its members.  Reads through any seekable stream; keeps the stream.  Opening reads
// the trailer and the directory only, so that a large archive shows its first picture at
// once; each member is checked when it is read.  Read may be called from any thread.
class TSlideArchive {
public:
  // Loads and checks the directory (ZLBReadDirectory).  Throws EZLBArchiveError as that does.
  explicit TSlideArchive(std::unique_ptr<std::istream> stream);

  // The first member named `name`, without regard to ASCII case; -1 when there is none.
  int Find(const std::string& name) const;
  // Every member's name, in the archive's order (SlideMatchMembers takes them).
  std::vector<std::string> Names() const;
  // The content of member `index` (an index Find gave), inflated and checked
  // against its recorded size and CRC.  Throws ESlideError "Damaged archive member NAME"
  // when its block lies outside the archive, does not inflate to its size or fails its CRC,
  // and "Reading NAME abandoned" as soon as `cancelled` (asked between pieces of about a
  // megabyte) returns true.
  std::vector<std::uint8_t> Read(int index, const std::function<bool()>& cancelled = {});

private:
  std::mutex streamLock_;  // the stream's position is shared by every reader
  std::unique_ptr<std::istream> stream_;
  std::uint64_t size_ = 0;
  TZLBArchiveContents contents_;
};
