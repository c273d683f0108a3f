#include "SlideList.h"

#include <algorithm>
#include <map>

#include "ListFile.h"
#include "StrToInt.h"

namespace {

bool SlideBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view SlideTrim(std::string_view text) {
  while (!text.empty() && SlideBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && SlideBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string SlideLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return lower;
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

std::vector<int> SlideMatchMembers(const std::vector<std::string>& entries,
                                   const std::vector<std::string>& memberNames) {
  // Each name's members in archive order, and how many of them earlier entries took.
  std::map<std::string, std::vector<int>> members;
  for (std::size_t i = 0; i < memberNames.size(); ++i) members[SlideLower(memberNames[i])].push_back(int(i));
  std::map<std::string, std::size_t> taken;
  std::vector<int> matched;
  matched.reserve(entries.size());
  for (const std::string& entry : entries) {
    const std::string name = SlideLower(entry);
    const auto found = members.find(name);
    const std::size_t k = taken[name]++;
    matched.push_back(found != members.end() && k < found->second.size() ? found->second[k] : -1);
  }
  return matched;
}
