#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the saver takes from the archive's "list.dat" (the editor writes it, see
// slidemaker/ListFile.h): the interval, and the members to show in their order.
struct TSlideList {
  // Milliseconds between two pictures; 0 = the first picture stays.  Never above
  // SlideMaxIntervalMs.
  std::uint32_t IntervalMs = 0;
  // Archive member names, one per non-blank entry, in the list's order.  Only the file name
  // of each entry counts: the editor lists full paths of the building machine while the
  // archive stores bare names.
  std::vector<std::string> Members;
};

// The largest period a window timer takes (USER_TIMER_MAXIMUM), about 24.8 days.
inline constexpr std::uint32_t SlideMaxIntervalMs = 0x7FFFFFFF;
// The interval of a first line that is no whole number: the editor's own default.
inline constexpr std::int32_t SlideDefaultIntervalSeconds = 5;

// Reads the bytes of "list.dat".  The first line is a whole number of seconds as the editor
// checks it (StrToIntTry, blanks around it trimmed); a negative number keeps the first picture
// as 0 does (the editor's preview takes it as an interval of weeks), larger ones are held at
// SlideMaxIntervalMs.  Never fails.
TSlideList SlideReadList(std::string_view bytes);

// The file-name part of a list entry: what follows its last "\", "/" or ":" (a path of the
// building machine, whatever its system).
std::string SlideMemberName(std::string_view entry);

// Which archive member each list entry shows: the k-th entry whose name is N (without regard
// to ASCII case) gets the k-th member named N, since the editor's writer packs the pictures in
// the list's order and stores bare names, so two photos named IMG_0001.JPG from two folders
// are two members of that name.  memberNames: the archive's members in their order.  Returns
// one member index per entry, -1 where the archive holds no such member.
std::vector<int> SlideMatchMembers(const std::vector<std::string>& entries,
                                   const std::vector<std::string>& memberNames);
