#include "ProjectStore.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "FileError.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

// A path as the file system tells paths apart: letter case matters natively, not on Windows.
std::string OnDisk(std::string path) {
#ifdef _WIN32
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
#endif
  return path;
}

// A program folder with its Projects folder created as at start-up.
struct TInstall {
  TScratchFolder dir;
  TProjectStore store{dir.Path()};
  TEditorState state;
  std::vector<std::string> shown;  // messages the editor would show
  TInstall() { store.CreateProjectsFolder(); }

  std::string ListFile(const std::string& project) { return dir.Read("projects/" + project + "/list.dat"); }
  void Open(const std::string& project) {
    ProjectOpen(store, state, project, [&](const std::string& m) { shown.push_back(m); });
  }
};

}  // namespace

TEST(ProjectStore, ProjectsFolderFoundWithoutRegardToCase) {
  TInstall install;
  EXPECT_TRUE(fs::is_directory(install.dir.Path("projects")));  // lower case on a fresh install
  EXPECT_EQ(OnDisk(install.store.ProjectsFolder()), OnDisk(install.dir.Path("projects") + ProjectPathDelim));

  TScratchFolder other;
  fs::create_directories(other.Path("PROJECTS"));
  TProjectStore store(other.Path());
  store.CreateProjectsFolder();
  EXPECT_EQ(OnDisk(store.ProjectsFolder()), OnDisk(other.Path("PROJECTS") + ProjectPathDelim));
  EXPECT_EQ(std::distance(fs::directory_iterator(other.Path()), fs::directory_iterator()), 1);
}

// A program folder where no Projects folder can be made (here a file holds its name, as a
// folder its user cannot write would refuse it): reported, and what needs it fails alone.
TEST(ProjectStore, ProjectsFolderThatCannotBeMade) {
  TScratchFolder dir;
  dir.Write("projects", std::string("not a folder"));
  TProjectStore store(dir.Path());
  EXPECT_FALSE(store.CreateProjectsFolder());
  const std::string text = ProjectsFolderUnwritableText(store);
  EXPECT_EQ(text.rfind("Lumivox non riesce a creare la cartella dei progetti " + store.ProjectsFolder() + ":", 0), 0u);
  EXPECT_NE(text.find("Documenti"), std::string::npos);
  TEditorState state;
  EXPECT_THROW(ProjectNew(store, state, "Mare"), EInOutError);
  EXPECT_EQ(state.ProjectLabel, ProjectNoneLabel);

  TInstall fine;
  EXPECT_TRUE(fine.store.CreateProjectsFolder());
}

TEST(ProjectStore, NewProject) {
  TInstall install;
  install.state.Filelist = {"old.jpg"};
  install.state.Interval = "9";
  ASSERT_EQ(ProjectNew(install.store, install.state, "Vacanze"), TNewOutcome::Created);
  EXPECT_EQ(install.ListFile("Vacanze"), "5\r\n");
  EXPECT_EQ(install.state.ProjectLabel, "Vacanze");
  EXPECT_EQ(install.state.Interval, "5");
  EXPECT_TRUE(install.state.Filelist.empty());
  EXPECT_TRUE(install.state.EditorEnabled);

  const TEditorState before = install.state;
  // Enter on an empty name finds the Projects folder itself; other letter case finds the
  // existing project.  Neither creates anything nor changes the editor.
  for (const char* name : {"", "VACANZE", "vacanze"}) {
    EXPECT_EQ(ProjectNew(install.store, install.state, name), TNewOutcome::Exists) << name;
    EXPECT_EQ(install.state.ProjectLabel, before.ProjectLabel);
  }
  EXPECT_EQ(install.store.ListProjects(), std::vector<std::string>{"Vacanze"});

  // The name is used as typed, a leading blank included.  (Windows itself drops trailing
  // blanks from folder names.)
  ASSERT_EQ(ProjectNew(install.store, install.state, " Mare"), TNewOutcome::Created);
  EXPECT_TRUE(fs::is_directory(install.dir.Path("projects/ Mare")));
}

// Opening reads line 1 through the trim and the interval check, keeps entries as they stand,
// and turns a missing list file into an empty project with a message.
TEST(ProjectStore, OpenProject) {
  struct Case {
    const char* fault;
    const char* listFile;  // nullptr: no list file
    const char* interval;
    std::vector<std::string> entries;
    bool empty;  // "Il progetto è vuoto" shown and the file rewritten
  };
  const Case cases[] = {
      {"no list file", nullptr, "5", {}, true},
      {"zero-byte list file", "", "5", {}, false},
      {"interval with blanks", " 7 \r\n", "7", {}, false},
      {"interval not a number", "abc\r\nx.jpg\r\n", "5", {"x.jpg"}, false},
      {"empty line between images", "3\r\nC:\\a.jpg\r\n\r\nC:\\b.gif\r\n", "3", {"C:\\a.jpg", "", "C:\\b.gif"}, false},
  };
  for (const Case& c : cases) {
    TInstall install;
    fs::create_directories(install.dir.Path("projects/p"));
    if (c.listFile) install.dir.Write("projects/p/list.dat", std::string(c.listFile));
    install.state.Filelist = {"left over"};
    install.Open("P");  // any letter case
    EXPECT_EQ(install.state.Interval, c.interval) << c.fault;
    EXPECT_EQ(install.state.Filelist, c.entries) << c.fault;
    EXPECT_EQ(install.state.ProjectLabel, "P") << c.fault;
    EXPECT_TRUE(install.state.EditorEnabled) << c.fault;
    EXPECT_EQ(install.shown, c.empty ? std::vector<std::string>{"Il progetto è vuoto"}
                                     : std::vector<std::string>{}) << c.fault;
    if (c.empty) {
      EXPECT_EQ(install.ListFile("p"), "5\r\n") << c.fault;
    }
  }
}

// When the list file cannot be recreated either, the error reaches the caller after the
// message and the editor is left as it was.
TEST(ProjectStore, OpenOfAVanishedProject) {
  TInstall install;
  try {
    install.Open("gone");
    ADD_FAILURE() << "opened a project without a folder";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid filename");
  }
  EXPECT_EQ(install.shown.size(), 1u);
  EXPECT_EQ(install.state.ProjectLabel, ProjectNoneLabel);
  EXPECT_FALSE(install.state.EditorEnabled);
}

TEST(ProjectStore, SaveWritesTheStateBack) {
  TInstall install;
  ASSERT_EQ(ProjectNew(install.store, install.state, "p"), TNewOutcome::Created);
  install.state.Interval = "12";
  install.state.Filelist = {"C:\\a.jpg", "", "C:\\b.gif"};
  ProjectSave(install.store, install.state);
  EXPECT_EQ(install.ListFile("p"), "12\r\nC:\\a.jpg\r\n\r\nC:\\b.gif\r\n");

  TEditorState reopened;
  ProjectOpen(install.store, reopened, "p", {});
  EXPECT_EQ(reopened.Filelist, install.state.Filelist);

  // Without a current project the label names a folder that does not exist.
  TEditorState none;
  try {
    ProjectSave(install.store, none);
    ADD_FAILURE() << "saved without a project";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid filename");
  }
  EXPECT_EQ(install.store.ListProjects(), std::vector<std::string>{"p"});
}

TEST(ProjectStore, ListProjects) {
  TInstall install;
  EXPECT_TRUE(install.store.ListProjects().empty());  // the dialog's OK stays disabled
  for (const char* name : {"beta", "Alpha", "gamma", "Delta"}) fs::create_directories(install.dir.Path("projects/") + name);
  install.dir.Write("projects/file.txt", "not a project");
#ifndef _WIN32
  fs::create_directories(install.dir.Path("projects/.hidden"));
#endif
  EXPECT_EQ(install.store.ListProjects(), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
}

TEST(ProjectStore, ProgramFolder) {
  EXPECT_EQ(ProjectProgramFolder("C:\\Programmi\\Lumivox\\slidemaker.exe"), "C:\\Programmi\\Lumivox\\");
  EXPECT_EQ(ProjectProgramFolder("/opt/lumivox/slidemaker"), "/opt/lumivox/");
}
