// Any bytes as the archive beside the slideshow saver, taken the way the saver takes it: the
// archive checked, its "list.dat" read, each listed member found, read and decoded for a small
// display, and the deck walked once round with the picture of each step placed on the display.
// Every failure must be one of the errors the saver turns into a message or a skipped picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "ArchiveFuzzBytes.h"
#include "SlideArchive.h"
#include "SlideDeck.h"
#include "SlideFit.h"
#include "SlideList.h"
#include "SlidePicture.h"

namespace {

constexpr int DisplayWidth = 64;
constexpr int DisplayHeight = 48;
// The saver's bound is 2^27 pixels; the bound's checks are the same code at any value, and a
// small one keeps a mutated size field from making each run zero and scale half a gigabyte.
constexpr std::int64_t FuzzMaxPixels = std::int64_t(1) << 15;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::unique_ptr<TSlideArchive> archive;
  try {
    archive = std::make_unique<TSlideArchive>(
        std::make_unique<std::istringstream>(ArchiveFuzzBytes(data, size)));
  } catch (const EZLBArchiveError&) {
    return 0;
  }
  const int listIndex = archive->Find("list.dat");
  if (listIndex < 0) return 0;
  TSlideList list;
  try {
    const std::vector<uint8_t> bytes = archive->Read(listIndex);
    list = SlideReadList({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  } catch (const ESlideError&) {
    return 0;
  }
  TSlideDeck deck(int(list.Members.size()), [&](int index) {
    const std::string& name = list.Members[std::size_t(index)];
    const int member = archive->Find(name);
    if (member < 0) throw ESlideError("not in the archive: " + name);
    return SlideDecode(name, archive->Read(member), DisplayWidth, DisplayHeight, FuzzMaxPixels);
  });
  if (!deck.Start()) return 0;
  for (std::size_t step = 0; step <= list.Members.size(); ++step) {
    const TSlidePicture* picture = deck.Current();
    if (!picture || deck.Held() > 2) std::abort();
    const TSlideRect place = SlideFit(picture->Width, picture->Height, DisplayWidth, DisplayHeight);
    if (place.Left < 0 || place.Top < 0 || place.Left + place.Width > DisplayWidth ||
        place.Top + place.Height > DisplayHeight)
      std::abort();
    if (picture->Gif) picture->Gif->Timer();
    if (!deck.Advance()) break;
  }
  return 0;
}
