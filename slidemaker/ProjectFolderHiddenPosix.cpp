#include "ProjectFolderHidden.h"

bool ProjectFolderHidden(const std::string&, const std::string& name) {
  return !name.empty() && name.front() == '.';
}
