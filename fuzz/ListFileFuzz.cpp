// Any bytes as a project's "list.dat".  The editor's reading survives its own rewrite (decode,
// encode, decode gives the same list), and the saver takes the rewritten file exactly as it
// takes the original: the same interval, within a window timer's range, and the same members.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ListFile.h"
#include "SlideList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TListFile list = ListFileDecode(bytes);
  const std::string rewritten = ListFileEncode(list.Interval, list.Entries);
  const TListFile again = ListFileDecode(rewritten);
  if (again.Interval != list.Interval || again.Entries != list.Entries) std::abort();

  const TSlideList shown = SlideReadList(bytes);
  const TSlideList shownAgain = SlideReadList(rewritten);
  if (shown.IntervalMs > SlideMaxIntervalMs || shown.IntervalMs != shownAgain.IntervalMs ||
      shown.Members != shownAgain.Members || shown.Members.size() > list.Entries.size())
    std::abort();
  for (const std::string& member : shown.Members)
    if (member.empty() || member.find_first_of("\\/:") != std::string::npos) std::abort();
  return 0;
}
