#pragma once

#include <string>
#include <vector>

#include "ComboBox.h"
#include "ListBox.h"

class TDirectoryListBox;

// The files of one folder that match a mask ("*.jpg;", "*.gif", several patterns separated by
// ";"), sorted without regard to case; hidden and system files are left out.  OnClick follows
// the user's selection as in any list.
class TFileListBox : public TListBox {
public:
  explicit TFileListBox(TComponent* owner);

  const std::string& Directory() const { return directory_; }
  void SetDirectory(const std::string& directory);
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);

  // The selected file's full path (folder + "\" + name), or "" when none is selected.
  std::string FileName() const;

  // Reads the folder again.  A folder that cannot be read lists nothing.
  void Update();

protected:
  void CreateWnd() override;

private:
  std::string directory_;
  std::string mask_ = "*.*";
};

// The folders of a drive as a tree: the folders from the root down to the current one, each
// indented under the one before, then the current folder's sub-folders.  A double click or
// Enter on an entry makes it the current folder; OnChange follows, and an associated file
// list shows the new folder.
class TDirectoryListBox : public TListBox {
public:
  explicit TDirectoryListBox(TComponent* owner);

  // The current folder, without a trailing separator except at a drive's root ("C:\").
  const std::string& Directory() const { return directory_; }
  // Makes `directory` current and lists it afresh.  A folder that cannot be read is listed
  // without sub-folders.
  void SetDirectory(const std::string& directory);
  // The names of the current folder's sub-folders, as listed (hidden and system ones left
  // out, sorted without regard to case).
  const std::vector<std::string>& SubFolders() const { return subFolders_; }

  void SetFileList(TFileListBox* list);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Fill();
  void OpenSelected();

  std::string directory_;
  std::vector<std::string> subFolders_;
  // The full path and the indentation level of each entry, in list order.
  std::vector<std::string> paths_;
  std::vector<int> levels_;
  TFileListBox* fileList_ = nullptr;
};

// The drives of the machine ("c:", "d:", ...); choosing one points the associated folder
// list at its root.
class TDriveComboBox : public TComboBox {
public:
  explicit TDriveComboBox(TComponent* owner);

  // The selected drive's letter, lower case, or 0 when none.
  char Drive() const;
  void SetDrive(char letter);
  void SetDirList(TDirectoryListBox* list) { dirList_ = list; }

protected:
  void CreateWnd() override;
  void CommandNotify(WORD code) override;

private:
  std::vector<std::string> roots_;
  TDirectoryListBox* dirList_ = nullptr;
};
