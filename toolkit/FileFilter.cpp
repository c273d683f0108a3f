#include "FileFilter.h"

std::vector<TFileFilter> FileFilterPairs(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start < text.size()) {  // each pass consumes one part and its "|"
    std::size_t end = text.find('|', start);
    if (end == std::string_view::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::vector<TFileFilter> pairs;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    pairs.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  }
  return pairs;
}

std::string FileFilterForDialog(std::string_view text) {
  std::string packed;
  for (const TFileFilter& pair : FileFilterPairs(text)) {
    // An empty part would read as the end of the list.
    if (pair.Mask.empty()) continue;
    packed += pair.Description.empty() ? pair.Mask : pair.Description;
    packed += '\0';
    packed += pair.Mask;
    packed += '\0';
  }
  if (!packed.empty()) packed += '\0';
  return packed;
}
