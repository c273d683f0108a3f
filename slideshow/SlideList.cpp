#include "SlideList.h"

#include <algorithm>

#include "ListFile.h"
#include "StrToInt.h"

namespace {

bool SlideBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view SlideTrim(std::string_view text) {
  while (!text.empty() && SlideBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && SlideBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string SlideMemberName(std::string_view entry) {
  entry = SlideTrim(entry);
  const auto cut = entry.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? entry : entry.substr(cut + 1));
}

TSlideList SlideReadList(std::string_view bytes) {
  const TListFile file = ListFileDecode(bytes);
  TSlideList list;
  const std::int64_t seconds =
      StrToIntTry(SlideTrim(file.Interval)).value_or(SlideDefaultIntervalSeconds);
  if (seconds > 0) {
    list.IntervalMs = std::uint32_t(std::min<std::int64_t>(seconds * 1000, SlideMaxIntervalMs));
  }
  for (const std::string& entry : file.Entries) {
    std::string name = SlideMemberName(entry);
    if (!name.empty()) list.Members.push_back(std::move(name));
  }
  return list;
}
