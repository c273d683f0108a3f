#include "ProjectStore.h"

#include <algorithm>

#include "FileAccess.h"
#include "FileError.h"
#include "IntervalCheck.h"
#include "ListFile.h"
#include "ProjectName.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

bool EndsWithDelim(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

// The spelling on disk of name inside folder (which ends with a separator): name itself when
// it exists as typed, else the first entry, in sorted order, equal to it but for letter case,
// else name unchanged.
std::string OnDiskName(const std::string& folder, const std::string& name) {
  if (name == "." || name == ".." || FileExists(folder + name)) return name;
  std::vector<std::string> matches;
  unsigned long error = 0;
  for (const TFolderEntry& entry : FileListFolder(folder, error))
    if (SameName(entry.Name, name)) matches.push_back(entry.Name);
  if (matches.empty()) return name;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

void EnableEditor(TEditorState& state, const std::string& name) {
  state.ProjectLabel = name;
  state.EditorEnabled = true;
}

}  // namespace

std::string ProjectProgramFolder(const std::string& programFile) {
  const std::size_t last = programFile.find_last_of("\\/");
  return last == std::string::npos ? std::string() : programFile.substr(0, last + 1);
}

TProjectStore::TProjectStore(std::string programFolder) : programFolder_(std::move(programFolder)) {
  if (!programFolder_.empty() && !EndsWithDelim(programFolder_)) programFolder_ += ProjectPathDelim;
}

bool TProjectStore::CreateProjectsFolder() const {
  return FileIsFolder(ProjectsFolder()) || FileCreateFolders(programFolder_ + "projects");
}

std::string ProjectsFolderUnwritableText(const TProjectStore& store) {
  return "Lumivox non riesce a creare la cartella dei progetti " + store.ProjectsFolder() +
         ": la cartella del programma non si può scrivere (come accade in Programmi). "
         "Copia slidemaker.exe e resource.sk in una cartella tua, per esempio Documenti, e "
         "avvia il programma da lì. Fino ad allora i progetti non si possono creare né salvare.";
}

std::string TProjectStore::ProjectsFolder() const {
  return programFolder_ + OnDiskName(programFolder_, "Projects") + ProjectPathDelim;
}

std::string TProjectStore::ProjectFolder(const std::string& name) const {
  std::string folder = ProjectsFolder();
  std::size_t start = 0;
  // One pass per part of the name; start grows on every pass.
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    if (!part.empty()) folder += OnDiskName(folder, part) + ProjectPathDelim;
    start = end + 1;
  }
  if (!name.empty() && !EndsWithDelim(name)) folder.pop_back();
  return folder;
}

std::string TProjectStore::ListFilePath(const std::string& name) const {
  std::string folder = ProjectFolder(name);
  if (!EndsWithDelim(folder)) folder += ProjectPathDelim;
  return folder + ProjectListFileName;
}

std::vector<std::string> TProjectStore::ListProjects() const {
  const std::string folder = ProjectsFolder();
  std::vector<std::string> names;
  unsigned long error = 0;
  for (const TFolderEntry& entry : FileListFolder(folder, error))
    if (entry.Folder && !entry.Hidden && !entry.System) names.push_back(entry.Name);
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

TNewOutcome ProjectNew(const TProjectStore& store, TEditorState& state, const std::string& name) {
  // Checked before anything else: "..\x" would otherwise make a folder beside Projects.
  if (!ProjectNameProblem(name).empty()) return TNewOutcome::Refused;
  const std::string folder = store.ProjectFolder(name);
  if (FileIsFolder(folder)) return TNewOutcome::Exists;
  // A folder that cannot be made shows up as the list file's "Invalid filename" below.
  FileCreateFolders(folder);
  ListFileWrite(store.ListFilePath(name), IntervalDefault, {});
  state.Interval = std::string(IntervalDefault);
  state.Filelist.clear();
  EnableEditor(state, name);
  return TNewOutcome::Created;
}

void ProjectOpen(const TProjectStore& store, TEditorState& state, const std::string& name,
                 const std::function<void(const std::string&)>& notify) {
  const std::string listFile = store.ListFilePath(name);
  TListFile list;
  try {
    list = ListFileRead(listFile);
  } catch (const EInOutError&) {
    if (notify) notify(ProjectEmptyText);
    ListFileWrite(listFile, IntervalDefault, {});
    list = TListFile{IntervalDefault, {}};
  }
  state.Filelist = std::move(list.Entries);
  state.Interval = IntervalChecked(list.Interval);
  EnableEditor(state, name);
}

void ProjectSave(const TProjectStore& store, const TEditorState& state) {
  ListFileWrite(store.ListFilePath(state.ProjectLabel), state.Interval, state.Filelist);
}
