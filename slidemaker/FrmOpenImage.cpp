#include "FrmOpenImage.h"

#include <string>

#include "Application.h"
#include "Button.h"
#include "ComboBox.h"
#include "Cursor.h"
#include "FileFilter.h"
#include "FileListControls.h"
#include "FrmMain.h"
#include "GIFImage.h"
#include "Image.h"
#include "ImagePath.h"
#include "Layout.h"
#include "Panel.h"
#include "SaverRules.h"

namespace {

void Frame(TComponent& c) { static_cast<TPanel&>(c).SetBevelOuter(bvLowered); }

void GifPreview(TComponent& c) {
  auto& gif = static_cast<TGIFImage&>(c);
  gif.SetAnimate(true);
  gif.SetStretch(true);
  gif.SetStretchRatio(false);
  gif.SetLoop(false);
}

void OtherPreview(TComponent& c) { static_cast<TImage&>(c).SetStretch(true); }

void Filters(TComponent& c) {
  auto& box = static_cast<TComboBox&>(c);
  for (const TFileFilter& filter : FileFilterPairs(OpenImageFilter)) box.AddItem(filter.Description);
  box.SetItemIndex(0);
}

std::string CurrentFolder() {
  char folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string("C:\\");
}

bool Blank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

}  // namespace

TFrmOpenImage::TFrmOpenImage(TComponent* owner, TFrmMain& main) : TForm(owner), main_(main) {
  SetName("FrmOpenImage");
  SetCaption("Apri Immagine");
  SetBorderStyle(bsSizeable);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 503, 200);

  ToolkitBuildLayout(*this, {
      {"FileList", ComponentClass<TFileListBox>, "", 6, 6, 140, 104, nullptr},
      {"Filtermask", ComponentClass<TComboBox>, "", 6, 114, 140, 21, nullptr, Filters},
      {"DirectoryList", ComponentClass<TDirectoryListBox>, "", 152, 6, 140, 104, nullptr},
      {"DriveList", ComponentClass<TDriveComboBox>, "", 152, 114, 140, 21, nullptr},
      {"SpeedButton1", ComponentClass<TButton>, "", 6, 142, 140, 25, "Aggiungi"},
      {"BtnAnnulla", ComponentClass<TButton>, "", 152, 142, 140, 25, "Chiudi"},
      {"Panel1", ComponentClass<TPanel>, "", 300, 5, 186, 162, "", Frame},
      {"ImageGIF", ComponentClass<TGIFImage>, "Panel1", 5, 6, 176, 150, nullptr, GifPreview},
      {"ImageJPG", ComponentClass<TImage>, "Panel1", 5, 6, 176, 150, nullptr, OtherPreview},
  });

  auto& files = ToolkitFind<TFileListBox>(*this, "FileList");
  auto& folders = ToolkitFind<TDirectoryListBox>(*this, "DirectoryList");
  auto& drives = ToolkitFind<TDriveComboBox>(*this, "DriveList");
  folders.SetFileList(&files);
  drives.SetDirList(&folders);
  const std::string start = CurrentFolder();
  folders.SetDirectory(start);
  drives.SetDrive(start.empty() ? 'c' : start[0]);

  OnCreate = [this](TComponent*) { FormCreate(); };
  ToolkitFind<TComboBox>(*this, "Filtermask").OnChange = [this](TComponent*) { FiltermaskChange(); };
  files.OnClick = [this](TComponent*) { FileListClick(); };
  ToolkitFind<TButton>(*this, "SpeedButton1").OnClick = [this](TComponent*) { SpeedButton1Click(); };
  ToolkitFind<TButton>(*this, "BtnAnnulla").OnClick = [this](TComponent*) { Close(); };
}

void TFrmOpenImage::FormCreate() { FiltermaskChange(); }

void TFrmOpenImage::FiltermaskChange() {
  const int index = ToolkitFind<TComboBox>(*this, "Filtermask").ItemIndex();
  const std::vector<TFileFilter> filters = FileFilterPairs(OpenImageFilter);
  if (index >= 0 && index < static_cast<int>(filters.size()))
    ToolkitFind<TFileListBox>(*this, "FileList").SetMask(filters[static_cast<size_t>(index)].Mask);
}

void TFrmOpenImage::FileListClick() {
  THourglass hourglass;
  const std::string file = ToolkitFind<TFileListBox>(*this, "FileList").FileName();
  auto& gif = ToolkitFind<TGIFImage>(*this, "ImageGIF");
  auto& other = ToolkitFind<TImage>(*this, "ImageJPG");
  if (SaverIsGifName(file)) {
    gif.LoadFromFile(file);
    gif.SetVisible(true);
    other.SetVisible(false);
  } else {
    other.Picture().LoadFromFile(file);
    other.SetVisible(true);
    gif.SetVisible(false);
  }
}

void TFrmOpenImage::SpeedButton1Click() {
  const std::string file = ToolkitFind<TFileListBox>(*this, "FileList").FileName();
  if (Blank(file)) return;
  if (const std::string problem = ImagePathProblem(file); !problem.empty()) {
    Application().MessageBox(problem.c_str(), ProjectExistsCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  main_.Filelist().AddItem(file);
}
