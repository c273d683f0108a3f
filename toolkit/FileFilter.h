#pragma once

// The filters of the file-open dialog and of the picker's filter selector, written as one
// text of "description|mask" pairs: "JPEG (*.jpg)|*.jpg;|GIF (*.gif)|*.gif|".  Portable.

#include <string>
#include <string_view>
#include <vector>

struct TFileFilter {
  std::string Description;  // what the user reads, "GIF (*.gif)"
  std::string Mask;         // the file mask, "*.gif" or "*.jpg;*.jpeg" (FolderListing.h)
};

// The pairs of text in order: the parts between "|" taken two by two.  One trailing "|" is
// allowed and ignored; a last description without a mask is ignored too.  Empty text gives
// no pairs.  Descriptions and masks are kept as written, empty ones included.
std::vector<TFileFilter> FileFilterPairs(std::string_view text);

// The same pairs as the system's file dialogs want them (OPENFILENAME's lpstrFilter):
// description, NUL, mask, NUL for each pair, and one more NUL at the end.  Since an empty
// part would end that list early, a pair without a mask is left out and an empty
// description is replaced by the mask.  Empty when nothing is left, which the caller passes
// on as "no filter" (a null pointer).
std::string FileFilterForDialog(std::string_view text);
