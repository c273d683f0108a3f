// The system's listing under the portable rules, on a folder tree made here.
#include "FolderListingWin32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FileListControls.h"
#include "Form.h"
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

// The picker's three lists on a form, as the user reaches them: a folder opened with Enter
// fills the file list; the folder tree shows the chain down from the root, then the visible
// sub-folders.
TEST(FolderListingWin32, ListControlsFollowEachOther) {
  TScratchFolder scratch;
  const std::string root = scratch.Path("tree");
  MakeFolder(root);
  MakeFolder(root + "\\beta");
  MakeFolder(root + "\\Alpha");
  MakeFolder(root + "\\Hidden", FILE_ATTRIBUTE_HIDDEN);
  for (const char* name : {"beta/z.JPG", "beta/a.jpg", "beta/b.gif", "beta/c.jpeg", "top.jpg"})
    scratch.Write(std::string("tree/") + name, "picture");

  TForm form(nullptr);
  auto* drives = new TDriveComboBox(&form);  // owned by the form
  auto* folders = new TDirectoryListBox(&form);
  auto* files = new TFileListBox(&form);
  drives->SetParent(&form);
  folders->SetParent(&form);
  files->SetParent(&form);
  folders->SetBounds(0, 30, 150, 150);
  files->SetBounds(160, 30, 150, 150);
  drives->SetDirList(folders);
  folders->SetFileList(files);
  files->SetMask("*.jpg;");
  form.Handle();

  std::vector<std::string> shown;
  for (int i = 0; i < drives->Count(); ++i) shown.push_back(drives->Item(i).substr(0, 2));
  EXPECT_NE(std::find(shown.begin(), shown.end(), "c:"), shown.end());

  int changes = 0;
  folders->OnChange = [&](TComponent*) { ++changes; };
  folders->SetDirectory(root + "\\");
  EXPECT_EQ(folders->Directory(), root);
  EXPECT_EQ(folders->SubFolders(), (Names{"Alpha", "beta"}));
  const Names tree = folders->Items();
  ASSERT_GE(tree.size(), 3u);
  EXPECT_EQ(tree.front(), root.substr(0, 3)) << "the chain starts at the drive's root";
  EXPECT_EQ(Names(tree.end() - 3, tree.end()), (Names{"tree", "Alpha", "beta"}));
  EXPECT_EQ(files->Items(), Names{"top.jpg"});

  folders->SetItemIndex(static_cast<int>(tree.size()) - 1);
  SendMessageA(folders->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(folders->Directory(), root + "\\beta");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(files->Directory(), root + "\\beta");
  EXPECT_EQ(files->Items(), (Names{"a.jpg", "z.JPG"})) << "no .jpeg under *.jpg;";
  EXPECT_EQ(files->FileName(), "");
  files->SetItemIndex(1);
  EXPECT_EQ(files->FileName(), root + "\\beta\\z.JPG");
  files->SetMask("*.gif");
  EXPECT_EQ(files->Items(), Names{"b.gif"});
}

}  // namespace
