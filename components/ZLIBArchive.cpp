#include "ZLIBArchive.h"

#include <algorithm>

#include "FileAccess.h"
#include "ZLBPath.h"
#include "ZLBPlatform.h"

namespace {

// Folder trees deeper than this are not walked further: a link that points back up would
// otherwise recurse for ever, and no picture collection nests this deep.
constexpr int MaxFolderDepth = 64;

}  // namespace

void TZLBArchive::Progress(const std::string& msg, int percentage) const {
  if (OnProgress) OnProgress(msg, percentage);
}

void TZLBArchive::LogError(const std::string& msg) const {
  if (OnErrorLogged) OnErrorLogged(msg);
}

void TZLBArchive::CreateArchive(const std::string& fileName) {
  CloseArchive();
  fileName_ = fileName;
  if (fileName.empty()) return;
  if (FileExists(fileName)) throw EZLBArchiveError(ZLBErrFileExists);
  if (OnArchiveOpened) OnArchiveOpened();
  newArchive_ = true;
}

void TZLBArchive::CloseArchive() {
  entries_.clear();
  fileName_.clear();
  newArchive_ = false;
  trailer_ = TZLBTrailer{};
  Progress(fileName_, 0);
}

bool TZLBArchive::OpenArchive(const std::string& fileName) {
  CloseArchive();
  if (fileName.empty()) return false;
  if (!FileExists(fileName) || FileIsFolder(fileName)) throw EZLBArchiveError(ZLBErrNotFound);
  std::unique_ptr<std::istream> file = FileOpenRead(fileName);
  if (!file) throw EZLBArchiveError(ZLBFormat(ZLBErrUnableToOpen, fileName));

  TZLBArchiveContents contents;
  try {
    contents = ZLBReadArchive(*file, OnProgress);
    if (OnArchiveOpened) OnArchiveOpened();
  } catch (const EZLBArchiveError& e) {
    CloseArchive();
    if (std::string(e.what()) == ZLBErrCorrupted) throw;
    throw EZLBArchiveError(ZLBErrFileList);
  } catch (const std::exception&) {
    // A failing OnArchiveOpened handler or an allocation counts as an unreadable list.
    CloseArchive();
    throw EZLBArchiveError(ZLBErrFileList);
  }
  fileName_ = fileName;
  trailer_ = contents.Trailer;
  entries_ = std::move(contents.Entries);
  Progress(fileName_, 0);
  return true;
}

int TZLBArchive::IndexOfEntry(const std::string& path) const {
  if (fileName_.empty()) throw EZLBArchiveError(ZLBErrNoArchive);
  const std::string folder = SavePaths ? ZLBStoredFolder(path) : std::string();
  const std::string wanted = folder + ZLBFileName(path);
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (ZLBSameText(entries_[i].Folder + entries_[i].Name, wanted)) return static_cast<int>(i);
  return -1;
}

TZLBEntry TZLBArchive::GetEntry(int index) const {
  if (index < 0 || index >= Count()) throw EZLBArchiveError(ZLBErrIndex);
  return entries_[static_cast<std::size_t>(index)];
}

std::string TZLBArchive::GetTempArchiveName() { return ZLBMakeTempFile(); }

void TZLBArchive::AddFolderFiles(const std::string& folder, std::vector<std::string>& list) {
  AddFolderFilesBelow(folder, list, 0);
}

void TZLBArchive::AddFolderFilesBelow(const std::string& folder, std::vector<std::string>& list,
                                      int depth) {
  if (depth >= MaxFolderDepth) return;
  std::string prefix = folder;
  if (prefix.empty() || (prefix.back() != '\\' && prefix.back() != '/')) prefix += ZLBPathDelim;

  std::vector<std::string> files, folders;
  unsigned long error = 0;
  for (const TFolderEntry& entry : FileListFolder(folder, error))
    (entry.Folder ? folders : files).push_back(entry.Name);
  std::sort(files.begin(), files.end());
  std::sort(folders.begin(), folders.end());
  for (const std::string& name : files) list.push_back(prefix + name);
  for (const std::string& name : folders) {
    if (SavePaths) list.push_back(prefix + name + ZLBPathDelim);
    AddFolderFilesBelow(prefix + name, list, depth + 1);
  }
}
