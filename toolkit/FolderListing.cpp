#include "FolderListing.h"

#include <algorithm>

namespace {

// The small letter of a code page 1252 character, as Windows folds file names (and as the C
// runtime's case-blind comparison does, so "_" sorts before the letters): A-Z, the accented
// capitals 0xC0..0xDE except the multiplication sign 0xD7, and the four capitals that lie
// in 0x80..0x9F (Š š, Œ œ, Ž ž, Ÿ ÿ).
unsigned char FoldCase(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return u - 'A' + 'a';
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 0x20;
  switch (u) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
  }
  return u;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::string> FolderMaskPatterns(std::string_view mask) {
  std::vector<std::string> patterns;
  std::size_t start = 0;
  while (start <= mask.size()) {  // each pass consumes one part and its ";"
    std::size_t end = mask.find(';', start);
    if (end == std::string_view::npos) end = mask.size();
    const std::string_view part = TrimSpaces(mask.substr(start, end - start));
    if (!part.empty()) patterns.emplace_back(part);
    start = end + 1;
  }
  return patterns;
}

bool FolderPatternMatches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  // Greedy matching with one back-up point: the last "*" seen and the name position it
  // has swallowed up to.  Each step advances the name or the back-up point, so the walk
  // takes at most pattern length × name length steps.
  std::size_t p = 0, n = 0;
  std::size_t star = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool FolderMaskMatches(std::string_view mask, std::string_view name) {
  const std::vector<std::string> patterns = FolderMaskPatterns(mask);
  if (patterns.empty()) return true;
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const std::string& pattern) { return FolderPatternMatches(pattern, name); });
}

bool FolderNameLess(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool FolderEntryListed(const TFolderEntry& entry, TFolderEntryKind kind) {
  if (entry.Name == "." || entry.Name == ".." || entry.Name.empty()) return false;
  if (entry.Hidden || entry.System) return false;
  return entry.Folder == (kind == fkFolders);
}

namespace {

std::vector<std::string> ListedNames(const std::vector<TFolderEntry>& entries,
                                     TFolderEntryKind kind, std::string_view mask) {
  std::vector<std::string> names;
  for (const TFolderEntry& entry : entries) {
    if (FolderEntryListed(entry, kind) && (kind == fkFolders || FolderMaskMatches(mask, entry.Name))) {
      names.push_back(entry.Name);
    }
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FolderNameLess(a, b); });
  return names;
}

}  // namespace

std::vector<std::string> FolderSubfolderNames(const std::vector<TFolderEntry>& entries) {
  return ListedNames(entries, fkFolders, "");
}

std::vector<std::string> FolderFileNames(const std::vector<TFolderEntry>& entries,
                                         std::string_view mask) {
  return ListedNames(entries, fkFiles, mask);
}

std::string FolderJoin(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += name;
  return path;
}
