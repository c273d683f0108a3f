#include "FileListControls.h"

#include <cctype>

#include "DeviceContext.h"
#include "FolderListing.h"
#include "FolderListingWin32.h"
#include "Font.h"
#include "GdiObject.h"
#include "Scale.h"

namespace {

constexpr int IndentPixels = 10;

// The folders from the drive's root down to `directory`: "C:\", "C:\Photos", "C:\Photos\2024".
std::vector<std::string> PathChain(const std::string& directory) {
  std::vector<std::string> chain;
  if (directory.size() < 2) return chain;
  std::string root = directory.substr(0, 2) + "\\";
  chain.push_back(root);
  std::string path = root;
  size_t start = 3;
  while (start < directory.size()) {
    size_t end = directory.find('\\', start);
    if (end == std::string::npos) end = directory.size();
    if (end > start) {
      path = FolderJoin(path, directory.substr(start, end - start));
      chain.push_back(path);
    }
    start = end + 1;
  }
  return chain;
}

std::string LastName(const std::string& path) {
  if (path.size() <= 3) return path;  // a drive's root shows as itself
  return path.substr(path.find_last_of('\\') + 1);
}

// The folder as listed: a full path, no trailing separator but at a root.
std::string NormalFolder(const std::string& directory) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(directory.c_str(), MAX_PATH, full, nullptr);
  std::string path = length > 0 && length < MAX_PATH ? std::string(full, length) : directory;
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

std::string CurrentFolder() {
  char folder[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string("C:\\");
}

// A small closed folder, in the colours of the system's folder pictures, 13 x 11 pixels at
// 96 DPI, drawn at `dpi` with its outline one pixel wide at every scale.
void DrawFolderGlyph(HDC dc, int x, int y, bool open, int dpi) {
  const auto s = [dpi](int value) { return ToolkitScale(value, dpi); };
  TGdiObject<HBRUSH> fill(CreateSolidBrush(open ? RGB(255, 236, 150) : RGB(240, 200, 80)));
  TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
  TSelection brush(dc, fill.Get());
  TSelection outline(dc, pen.Get());
  const POINT tab[] = {{x, y + s(1)}, {x + s(5), y + s(1)}, {x + s(6), y + s(2)}, {x, y + s(2)}};
  Polygon(dc, tab, 4);
  Rectangle(dc, x, y + s(2), x + s(13), y + s(11));
}

}  // namespace

TFileListBox::TFileListBox(TComponent* owner) : TListBox(owner) { directory_ = CurrentFolder(); }

void TFileListBox::CreateWnd() {
  TListBox::CreateWnd();
  Update();
}

void TFileListBox::SetDirectory(const std::string& directory) {
  directory_ = NormalFolder(directory);
  Update();
}

void TFileListBox::SetMask(const std::string& mask) {
  mask_ = mask;
  Update();
}

void TFileListBox::Update() {
  std::vector<std::string> names;
  try {
    names = FolderFileNames(FolderRead(directory_), mask_);
  } catch (const EFolderListError&) {
    // A folder that went away or a drive without a medium shows as empty, as in the
    // system's own lists; the user picks another.
  }
  ClearItems();
  for (const std::string& name : names) AddItem(name);
}

std::string TFileListBox::FileName() const {
  const int index = ItemIndex();
  return index < 0 ? std::string() : FolderJoin(directory_, Item(index));
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TListBox(owner) {
  directory_ = NormalFolder(CurrentFolder());
  SetItemHeight(16);
}

void TDirectoryListBox::CreateParams(TCreateParams& params) {
  TListBox::CreateParams(params);
  params.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TDirectoryListBox::CreateWnd() {
  TListBox::CreateWnd();
  Fill();
}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
  directory_ = NormalFolder(directory);
  Fill();
  if (fileList_) fileList_->SetDirectory(directory_);
  if (OnChange) OnChange(this);
}

void TDirectoryListBox::SetFileList(TFileListBox* list) {
  fileList_ = list;
  if (fileList_) fileList_->SetDirectory(directory_);
}

void TDirectoryListBox::Fill() {
  paths_ = PathChain(directory_);
  levels_.clear();
  for (size_t i = 0; i < paths_.size(); ++i) levels_.push_back(static_cast<int>(i));
  const int current = static_cast<int>(paths_.size()) - 1;
  subFolders_.clear();
  try {
    subFolders_ = FolderSubfolderNames(FolderRead(directory_));
  } catch (const EFolderListError&) {
    // Listed without sub-folders: the chain above it still lets the user go back up.
  }
  for (const std::string& name : subFolders_) {
    paths_.push_back(FolderJoin(directory_, name));
    levels_.push_back(current + 1);
  }
  ClearItems();
  for (const std::string& path : paths_) AddItem(LastName(path));
  SetItemIndex(current);
}

void TDirectoryListBox::OpenSelected() {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(paths_.size())) return;
  SetDirectory(paths_[static_cast<size_t>(index)]);
}

LRESULT TDirectoryListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      if (wParam == VK_RETURN) return TListBox::WndProc(message, wParam, lParam) | DLGC_WANTMESSAGE;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        OpenSelected();
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = TListBox::WndProc(message, wParam, lParam);
      OpenSelected();
      return result;
    }
  }
  return TListBox::WndProc(message, wParam, lParam);
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  TGdiObject<HBRUSH> ground(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
  FillRect(dc, &item.rcItem, ground.Get());
  const size_t index = item.itemID;
  const int level = index < levels_.size() ? levels_[index] : 0;
  const int current = static_cast<int>(PathChain(directory_).size()) - 1;
  const auto s = [this](int value) { return ToolkitScale(value, Dpi()); };
  const int x = item.rcItem.left + s(2) + level * s(IndentPixels);
  const int height = item.rcItem.bottom - item.rcItem.top;
  DrawFolderGlyph(dc, x, item.rcItem.top + (height - s(12)) / 2, level <= current, Dpi());
  RECT text = item.rcItem;
  text.left = x + s(17);
  TSelection font(dc, ToolkitDefaultFont(Dpi()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::string name = index < paths_.size() ? LastName(paths_[index]) : std::string();
  DrawTextA(dc, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

TDriveComboBox::TDriveComboBox(TComponent* owner) : TComboBox(owner) {}

void TDriveComboBox::CommandNotify(WORD code) {
  const int index = ItemIndex();
  if (code == CBN_SELCHANGE && dirList_ && index >= 0 && index < static_cast<int>(roots_.size()))
    dirList_->SetDirectory(roots_[static_cast<size_t>(index)]);
  TComboBox::CommandNotify(code);
}

void TDriveComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  roots_ = FolderDrives();
  ClearItems();
  for (const std::string& root : roots_) {
    std::string shown = root.substr(0, 2);
    shown[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(shown[0])));
    // Only fixed drives are asked for their label: a removable drive without a medium
    // would make the user wait.
    char label[MAX_PATH + 1] = "";
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED &&
        GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                              nullptr, 0) &&
        label[0])
      shown += std::string(" [") + label + "]";
    AddItem(shown);
  }
  const std::string current = CurrentFolder();
  SetDrive(current.empty() ? 'c' : current[0]);
}

char TDriveComboBox::Drive() const {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(roots_.size())) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(roots_[static_cast<size_t>(index)][0])));
}

void TDriveComboBox::SetDrive(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (size_t i = 0; i < roots_.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(roots_[i][0])) == letter) SetItemIndex(static_cast<int>(i));
}
