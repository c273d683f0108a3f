#pragma once

// The slideshow projects on disk: the Projects folder beside the program, one folder per
// project holding "list.dat", and the editor's New, Open and Save operations as functions of
// the editor state that the main window shows.

#include <functional>
#include <string>
#include <vector>

// Texts the user sees.
inline constexpr const char* ProjectNoneLabel = "[Nessun progetto corrente]";
inline constexpr const char* ProjectExistsText = "Project name already exist";
inline constexpr const char* ProjectExistsCaption = "Lumivox";
inline constexpr const char* ProjectEmptyText = "Il progetto è vuoto";
inline constexpr const char* ProjectListFileName = "list.dat";

// Separator the editor puts into the paths it builds.
#ifdef _WIN32
inline constexpr char ProjectPathDelim = '\\';
#else
inline constexpr char ProjectPathDelim = '/';
#endif

// What the list file persists, plus what New and Open switch on.  The main window's
// LblPrname, TxtIntervallo and Filelist show these; EditorEnabled stands for the buttons,
// the interval field and the image list that New and Open enable.
struct TEditorState {
  std::string ProjectLabel = ProjectNoneLabel;
  std::string Interval = "5";
  std::vector<std::string> Filelist;  // image paths as added, in slideshow order
  bool EditorEnabled = false;
};

// The program folder "<folder of the program file>" + separator, and below it the Projects
// folder.  Names are matched without regard to letter case, as on Windows; on a
// case-sensitive file system the spelling found on disk is used.
class TProjectStore {
public:
  // programFolder: the folder of the running program, with or without a trailing separator.
  explicit TProjectStore(std::string programFolder);

  // Creates "projects" (lower case) with any missing parents unless a Projects folder of any
  // letter case exists.  Whether a Projects folder exists afterwards: false in a program
  // folder its user cannot write (ProjectsFolderUnwritableText), and then every operation
  // that needs the folder fails on its own.
  bool CreateProjectsFolder() const;

  const std::string& ProgramFolder() const { return programFolder_; }
  // Program folder + "Projects" (as spelled on disk) + separator.
  std::string ProjectsFolder() const;
  // Projects folder + name, each part of name matched without regard to case.  An empty name
  // is the Projects folder itself.
  std::string ProjectFolder(const std::string& name) const;
  std::string ListFilePath(const std::string& name) const;

  // The names of the project folders, without ".", "..", hidden and system folders, sorted
  // without regard to case.  Empty when the Projects folder cannot be read.
  std::vector<std::string> ListProjects() const;

private:
  std::string programFolder_;
};

// What the editor says at start when CreateProjectsFolder fails: where it wanted the folder,
// why that fails (a program folder its user cannot write, such as Program Files) and where to
// put the program instead.
std::string ProjectsFolderUnwritableText(const TProjectStore& store);

// The program folder of a program file path: everything up to and including the last "\" or
// "/".
std::string ProjectProgramFolder(const std::string& programFile);

enum class TNewOutcome {
  Created,  // project folder and "list.dat" made, state switched to the new project
  Exists,   // a folder of that name exists: show ProjectExistsText, keep the dialog open
  Refused,  // not a name for a folder: show ProjectNameProblem(name), keep the dialog open
};

// New project: name is used as typed (not trimmed).  A name ProjectNameProblem refuses
// creates nothing.  Throws EInOutError when the list file cannot be written; the state is
// then unchanged.
TNewOutcome ProjectNew(const TProjectStore& store, TEditorState& state, const std::string& name);

// Open project: loads name's "list.dat" into the state.  When the list file is missing or
// unreadable, notify receives ProjectEmptyText, then the list file is written anew with "5"
// and the project opens empty.  Throws EInOutError when that rewrite fails too; the state is
// then unchanged.
void ProjectOpen(const TProjectStore& store, TEditorState& state, const std::string& name,
                 const std::function<void(const std::string&)>& notify);

// Save: writes the state's interval and list into the "list.dat" of the project the label
// names.  Throws EInOutError (with no current project: "Invalid filename", nothing written).
void ProjectSave(const TProjectStore& store, const TEditorState& state);
