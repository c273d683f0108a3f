#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "ZLIBArchiveReader.h"

// The saver's side of the slideshow archive: the checked directory of an archive and the
// content of its members.  Reads through any seekable stream; keeps the stream.
class TSlideArchive {
public:
  // Checks the archive's CRC and loads its directory (ZLBReadArchive).  Throws
  // EZLBArchiveError as that does.
  explicit TSlideArchive(std::unique_ptr<std::istream> stream);

  // The first member named `name`, without regard to ASCII case; -1 when there is none.
  int Find(const std::string& name) const;
  // Every member's name, in the archive's order (SlideMatchMembers takes them).
  std::vector<std::string> Names() const;
  // The content of member `index` (an index Find gave), inflated and checked
  // against its recorded size and CRC.  Throws ESlideError "Damaged archive member NAME"
  // when its block lies outside the archive, does not inflate to its size or fails its CRC.
  std::vector<std::uint8_t> Read(int index);

private:
  std::unique_ptr<std::istream> stream_;
  std::uint64_t size_ = 0;
  TZLBArchiveContents contents_;
};
