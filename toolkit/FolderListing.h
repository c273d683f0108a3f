#pragma once

// The rules behind the drive, folder and file lists: which entries of a folder are listed,
// how file masks match, in which order names appear.  Portable (no windows.h): the Win32
// layer (FolderListingWin32.h) reads a folder into TFolderEntry values, these functions
// decide what the user sees.
//
// Names are single-byte strings in the system's code page (1252).  They are compared
// without regard to case as Windows compares file names: ASCII letters and the accented
// letters of code page 1252 (à and À, è and È, š and Š, ÿ and Ÿ, ...) are equal to their
// capitals.

#include <string>
#include <string_view>
#include <vector>

// One entry of a folder as the system reports it.
struct TFolderEntry {
  std::string Name;     // the name within its folder, no path; "." and ".." included
  bool Folder = false;  // a sub-folder (otherwise a file)
  bool Hidden = false;  // the hidden attribute
  bool System = false;  // the system attribute
};

// Whether a list shows folders or files.
enum TFolderEntryKind { fkFolders, fkFiles };

// The patterns of a mask such as "*.jpg;" or "*.jpg;*.gif": the parts between ";", each
// without surrounding spaces; empty parts are ignored ("*.jpg;" is the one pattern "*.jpg").
std::vector<std::string> FolderMaskPatterns(std::string_view mask);

// Whether name matches one pattern, without regard to case: "*" stands for any run of
// characters (dots included, none at all included), "?" for exactly one character, every
// other character for itself.  The pattern is matched against the whole name, so "*.jpg"
// does not match "x.jpeg" nor "x.jpg.bak".  "*.*" matches every name, with or without a
// dot, as it does in Windows.
bool FolderPatternMatches(std::string_view pattern, std::string_view name);

// Whether name matches any pattern of mask.  A mask without patterns ("" or ";") matches
// every name, as "*" does.
bool FolderMaskMatches(std::string_view mask, std::string_view name);

// The order of the lists: names compared without regard to case, character by character
// on their code page values after folding capitals to small letters (so "_" comes before
// the letters and accented letters after "z"), a name before any longer name it begins;
// names that differ only in case (possible on some drives) are then ordered by their bytes,
// so the order is total.
bool FolderNameLess(std::string_view a, std::string_view b);

// Whether an entry belongs in a list of kind: never "." or "..", never a hidden or a system
// entry, and only folders in a folder list and files in a file list.
bool FolderEntryListed(const TFolderEntry& entry, TFolderEntryKind kind);

// The names a folder list shows for the entries of one folder, in FolderNameLess order.
std::vector<std::string> FolderSubfolderNames(const std::vector<TFolderEntry>& entries);

// The names a file list shows for the entries of one folder with mask (FolderMaskMatches),
// in FolderNameLess order.
std::vector<std::string> FolderFileNames(const std::vector<TFolderEntry>& entries,
                                         std::string_view mask);

// The full path of name in folder: folder + "\" + name, without doubling the separator
// when folder already ends with "\" or "/" (a drive's root "C:\").  An empty folder gives
// name alone.
std::string FolderJoin(std::string_view folder, std::string_view name);
