// The system's listing under the portable rules, on a folder tree made here.
#include "FolderListingWin32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

void MakeFolder(const std::string& path, DWORD attributes = 0) {
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
  if (attributes) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
  }
}

TEST(FolderListingWin32, TreeMadeHere) {
  TScratchFolder scratch;
  const std::string root = scratch.Path("tree");  // no trailing separator
  MakeFolder(root);
  MakeFolder(root + "\\Sub");
  MakeFolder(root + "\\alpha");
  MakeFolder(root + "\\Hidden", FILE_ATTRIBUTE_HIDDEN);
  MakeFolder(root + "\\Sys", FILE_ATTRIBUTE_SYSTEM);
  MakeFolder(root + "\\Zoo.jpg");  // a folder, never a file of the mask
  for (const char* name : {"b.JPG", "a.jpg", "C.Jpg", "x.jpeg", "y.gif", "Sub.gif"}) {
    scratch.Write(std::string("tree/") + name, "picture");
  }
  const std::string secret = scratch.Write("tree/secret.jpg", "picture");
  ASSERT_TRUE(SetFileAttributesA(secret.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const std::string system = scratch.Write("tree/system.gif", "picture");
  ASSERT_TRUE(SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM));

  const std::vector<TFolderEntry> entries = FolderRead(root);
  const auto find = [&](const char* name) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const TFolderEntry& e) { return e.Name == name; });
  };
  ASSERT_NE(find("Hidden"), entries.end());
  EXPECT_TRUE(find("Hidden")->Folder);
  EXPECT_TRUE(find("Hidden")->Hidden);
  ASSERT_NE(find("Sys"), entries.end());
  EXPECT_TRUE(find("Sys")->System);
  ASSERT_NE(find("secret.jpg"), entries.end());
  EXPECT_FALSE(find("secret.jpg")->Folder);
  EXPECT_TRUE(find("secret.jpg")->Hidden);

  EXPECT_EQ(FolderSubfolderNames(entries), (Names{"alpha", "Sub", "Zoo.jpg"}));
  EXPECT_EQ(FolderFileNames(entries, "*.jpg;"), (Names{"a.jpg", "b.JPG", "C.Jpg"}));
  EXPECT_EQ(FolderFileNames(entries, "*.gif"), (Names{"Sub.gif", "y.gif"}));

  // A trailing separator names the same folder; an empty folder has nothing to list.
  EXPECT_EQ(FolderRead(root + "\\").size(), entries.size());
  EXPECT_EQ(FolderSubfolderNames(FolderRead(root + "\\alpha")), Names{});
  EXPECT_EQ(FolderFileNames(FolderRead(root + "\\alpha"), "*.*"), Names{});
}

TEST(FolderListingWin32, MissingFolderNamesItself) {
  TScratchFolder scratch;
  const std::string missing = scratch.Path("missing");
  try {
    FolderRead(missing);
    FAIL() << "no error for " << missing;
  } catch (const EFolderListError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    EXPECT_EQ(e.Code(), static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
  }
}

TEST(FolderListingWin32, DrivesIncludeTheSystemDrive) {
  const Names drives = FolderDrives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
}

}  // namespace
