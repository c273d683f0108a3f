// Any bytes as an archive file.  Reading must end in a directory or in one of the component's
// errors, never in a crash, a hang or an allocation the bytes do not justify.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "ArchiveFuzzBytes.h"
#include "ZLIBArchiveReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream stream(ArchiveFuzzBytes(data, size));
  try {
    const TZLBArchiveContents contents = ZLBReadArchive(stream);
    ZLBCheckEntries(contents, size);
  } catch (const EZLBArchiveError&) {
  }
  return 0;
}
