// Any bytes as the archive beside the slideshow saver, taken the way the saver takes it: the
// archive checked, its "list.dat" read, each listed member found, read and decoded for a small
// display (the k-th entry named N showing the k-th member named N), and each picture fitted
// to the display, with and without enlarging.
// Every failure must be one of the errors the saver turns into a message or a skipped picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "ArchiveFuzzBytes.h"
#include "SlideArchive.h"
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
  const std::vector<int> members = SlideMatchMembers(list.Members, archive->Names());
  bool enlarge = false;
  for (std::size_t entry = 0; entry < members.size(); ++entry) {
    if (members[entry] < 0) continue;
    TSlidePicture picture;
    try {
      picture = SlideDecode(list.Members[entry], archive->Read(members[entry]), DisplayWidth,
                            DisplayHeight, {}, FuzzMaxPixels);
    } catch (const ESlideError&) {
      continue;  // the saver skips such a picture
    }
    SlideFitPicture(picture, DisplayWidth, DisplayHeight, enlarge);
    enlarge = !enlarge;
    const TSlideRect& place = picture.Place;
    if (place.Left < 0 || place.Top < 0 || place.Left + place.Width > DisplayWidth ||
        place.Top + place.Height > DisplayHeight)
      std::abort();
    if (!picture.Gif && (picture.Still.Width != place.Width || picture.Still.Height != place.Height))
      std::abort();
    if (picture.Gif) picture.Gif->Timer();
  }
  return 0;
}
