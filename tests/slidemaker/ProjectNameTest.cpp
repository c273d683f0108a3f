#include "ProjectName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "ImagePath.h"
#include "ProjectStore.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

// Each row names the fault the name would cause if it were used as a folder name.
TEST(ProjectName, RefusedNames) {
  const struct {
    std::string name;
    const char* fault;
  } refused[] = {
      {"..\\..\\x", "a folder two levels above Projects"},
      {"../x", "a folder beside Projects"},
      {"a\\b", "a folder below a project"},
      {"a/b", "a folder below a project"},
      {"C:x", "a drive-relative path"},
      {"foto?", "a character Windows refuses"},
      {"a*b", "a character Windows refuses"},
      {"\"q\"", "a character Windows refuses"},
      {"<a>", "a character Windows refuses"},
      {"a|b", "a character Windows refuses"},
      {"tab\there", "a control character"},
      {"CON", "a device name"},
      {"nul.txt", "a device name with an extension"},
      {"Com1", "a device name in other letter case"},
      {"lpt9", "a device name"},
      {std::string(256, 'a'), "longer than a folder name may be"},
  };
  for (const auto& row : refused) EXPECT_NE(ProjectNameProblem(row.name), "") << row.fault;

  EXPECT_EQ(ProjectNameProblem("a\\b"),
            "Il nome del progetto non può contenere i caratteri \\ / : * ? \" < > | né caratteri di controllo");
  EXPECT_EQ(ProjectNameProblem("con"), "Il nome \"con\" è riservato dal sistema: scegli un altro nome per il progetto");

  // Everything else keeps the old rules: the empty name, "." and ".." (reported as existing),
  // blanks,
  // dots inside a name, names that only begin like a device, accented letters.
  for (const std::string& name : std::vector<std::string>{"", ".", "..", " ", "Vacanze 2024", "a.b", "...x", "CONSOLE", "COM10", "LPT0",
                           "Città", std::string(255, 'a')})
    EXPECT_EQ(ProjectNameProblem(name), "") << name;
}

TEST(ProjectName, NewRefusesBeforeCreatingAnything) {
  TScratchFolder dir;
  TProjectStore store(dir.Path());
  store.CreateProjectsFolder();
  fs::create_directories(dir.Path("projects/a"));
  TEditorState state;
  for (const char* name : {"..\\..\\x", "../x", "a/b", "a\\b", "CON"})
    EXPECT_EQ(ProjectNew(store, state, name), TNewOutcome::Refused) << name;
  // The one check New makes answers "." and "..": folders that exist.
  for (const char* name : {".", ".."}) EXPECT_EQ(ProjectNew(store, state, name), TNewOutcome::Exists) << name;
  EXPECT_EQ(state.ProjectLabel, ProjectNoneLabel);
  EXPECT_FALSE(state.EditorEnabled);
  EXPECT_FALSE(fs::exists(dir.Path("projects/a/b")));
  EXPECT_FALSE(fs::exists(dir.Path("x")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("projects")), fs::directory_iterator()), 1);
}

// A picture whose name the code page cannot hold reaches the picker with "?" in it and is
// refused with a message naming it; every other path is added as it stands.
TEST(ImagePath, NamesTheCodePageCannotHoldAreRefused) {
  for (const char* path : {"C:\\Foto\\Natale \x96 2023.jpg", "C:\\Foto\\L\x92" "estate \x85 5 \x80.jpg",
                           "", "relativo.gif"})
    EXPECT_EQ(ImagePathProblem(path), "") << path;
  const std::string problem = ImagePathProblem("C:\\Foto\\\xC5\xA0\?\?\?.jpg");
  EXPECT_EQ(problem.rfind("Il file \"\xC5\xA0\?\?\?.jpg\" non può essere aggiunto", 0), 0u) << problem;
  // A folder named so cannot be opened either.
  EXPECT_NE(ImagePathProblem("C:\\cartella ?\\ok.jpg"), "");
}
