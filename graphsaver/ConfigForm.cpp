#include "ConfigForm.h"

#include <windows.h>

#include <shellapi.h>

#include "Application.h"
#include "Bevel.h"
#include "Button.h"
#include "CheckBox.h"
#include "Edit.h"
#include "Extras.h"
#include "GalleryPage.h"
#include "GraphView.h"
#include "Image.h"
#include "Label.h"
#include "Layout.h"
#include "ListBox.h"
#include "OpenDialog.h"
#include "Panel.h"
#include "ScrSettings.h"
#include "StrToInt.h"

namespace {

const TFont TitleFont = {.Height = 15, .Bold = true};
const TFont LinkFont = {.Underline = true, .Color = RGB(0, 0, 255)};

void FrameBevel(TComponent& c) { static_cast<TBevel&>(c).SetShape(bsFrame); }

// The folder part of a path: up to and including its last "\" or ":".
std::string FolderOf(const std::string& path) {
  const auto end = path.find_last_of("\\:");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

}  // namespace

TConfigForm::TConfigForm(TComponent* owner) : TScrDialog(owner) {
  SetName("ConfigForm");
  SetCaption("Quorvel Graph Screen Saver");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(273);
  SetClientHeight(345);
  ToolkitBuildLayout(*this, {
      {"Panel1", ComponentClass<TPanel>, "", 8, 8, 177, 121, nullptr,
       [](TComponent& c) {
         auto& panel = static_cast<TPanel&>(c);
         panel.SetBevelOuter(bvLowered);
         panel.SetBevelInner(bvRaised);
       }},
      // Inside the two bevels of the panel.
      {"Image1", ComponentClass<TImage>, "Panel1", 2, 2, 173, 117, nullptr,
       [](TComponent& c) {
         auto& image = static_cast<TImage&>(c);
         image.SetCenter(true);
         image.Picture().LoadFromResource(GetModuleHandleA(nullptr), "PLOTVANETITLE");
       }},
      // Further left than the 72 of the first design: at 150 % the link is wider than 1.5
      // times its 100 % width and would run past the panel.
      {"SSFilesWeb", ComponentClass<TLabel>, "Panel1", 64, 8, 0, 0, "Get New Graph Files",
       [](TComponent& c) {
         auto& label = static_cast<TLabel&>(c);
         label.SetTransparent(true);
         label.SetCursor(crHandPoint);
       },
       LinkFont},
      {"Bevel2", ComponentClass<TBevel>, "", 192, 8, 73, 121, nullptr, FrameBevel},
      {"Label2", ComponentClass<TLabel>, "", 200, 16, 0, 0, "Image", nullptr, TitleFont},
      {"Height", ComponentClass<TLabel>, "", 200, 40, 0, 0, "Height", nullptr},
      {"ImageHeight", ComponentClass<TEdit>, "", 200, 56, 57, 21, "", nullptr, LayoutDialogFont, 0},
      {"Width", ComponentClass<TLabel>, "", 200, 80, 0, 0, "Width", nullptr},
      {"ImageWidth", ComponentClass<TEdit>, "", 200, 96, 57, 21, "", nullptr, LayoutDialogFont, 1},
      {"Bevel3", ComponentClass<TBevel>, "", 8, 136, 113, 201, nullptr, FrameBevel},
      {"Label1", ComponentClass<TLabel>, "", 16, 144, 0, 0, "Graph File", nullptr, TitleFont},
      {"Bevel1", ComponentClass<TBevel>, "", 16, 168, 97, 19, nullptr, nullptr},
      // One pixel taller than the first design's 13: the line of the scaled font is taller
      // than the scaled 13 pixels (21 at 150 %).
      {"FNLabel", ComponentClass<TLabel>, "", 24, 171, 81, 14, "[Empty]",
       [](TComponent& c) {
         auto& label = static_cast<TLabel&>(c);
         label.SetAutoSize(false);
         label.SetAlignment(taCenter);
       }},
      {"Open", ComponentClass<TButton>, "", 16, 192, 97, 25, "&Open", nullptr, LayoutDialogFont, 4},
      {"FList", ComponentClass<TListBox>, "", 16, 224, 97, 81, nullptr,
       [](TComponent& c) { static_cast<TListBox&>(c).SetItemHeight(13); }, LayoutDialogFont, 5},
      {"IsRandom", ComponentClass<TCheckBox>, "", 32, 312, 65, 17, "Random?", nullptr,
       LayoutDialogFont, 6},
      {"Bevel4", ComponentClass<TBevel>, "", 128, 136, 137, 57, nullptr, FrameBevel},
      // Both boxes 4 pixels further left than the first design's 136, and "Reverse" as wide
      // as the frame allows: at 150 % its caption was cut.
      {"IsFloat", ComponentClass<TCheckBox>, "", 132, 144, 97, 17, "Floating", nullptr,
       LayoutDialogFont, 2},
      {"Reverse", ComponentClass<TCheckBox>, "", 132, 168, 131, 17, "Reverse on Collission",
       nullptr, LayoutDialogFont, 3},
      {"Panel2", ComponentClass<TPanel>, "", 128, 200, 137, 105, nullptr,
       [](TComponent& c) { static_cast<TPanel&>(c).SetBevelInner(bvLowered); }},
      {"View", ComponentClass<TGraphView>, "Panel2", 2, 2, 133, 101, nullptr,
       [](TComponent& c) {
         TView& view = static_cast<TGraphView&>(c).View();
         view.ImageAlign = alClient;
         view.ImageWidth = view.ImageHeight = 0;
       }},
      {"BtnOk", ComponentClass<TButton>, "", 128, 314, 65, 25, "OK",
       [](TComponent& c) {
         auto& button = static_cast<TButton&>(c);
         button.SetDefault(true);
         button.SetModalResult(mrOk);
       },
       LayoutDialogFont, 7},
      {"BtnCancel", ComponentClass<TButton>, "", 200, 314, 65, 25, "Cancel",
       [](TComponent& c) {
         auto& button = static_cast<TButton&>(c);
         button.SetCancel(true);
         button.SetModalResult(mrCancel);
       },
       LayoutDialogFont, 8},
      {"ScrSettings", ComponentClass<TScrSettings>, "", 0, 0, 0, 0, nullptr,
       [](TComponent& c) {
         auto& settings = static_cast<TScrSettings&>(c);
         settings.SetMouseThreshold(100);
         settings.SetMouseThresholdIndex(1);
         settings.SetPasswordDelay(100);
         settings.SetDisableActiveConfig(true);
         settings.Loaded();
       }},
      {"OpenDialog", ComponentClass<TOpenDialog>, "", 0, 0, 0, 0, nullptr,
       [](TComponent& c) {
         auto& dialog = static_cast<TOpenDialog&>(c);
         dialog.DefaultExt = "twk";
         dialog.Filter = "Quorvel Graph|*.twk";
       }},
  });
  isFloat_ = &ToolkitFind<TCheckBox>(*this, "IsFloat");
  reverse_ = &ToolkitFind<TCheckBox>(*this, "Reverse");
  isRandom_ = &ToolkitFind<TCheckBox>(*this, "IsRandom");
  imageWidth_ = &ToolkitFind<TEdit>(*this, "ImageWidth");
  imageHeight_ = &ToolkitFind<TEdit>(*this, "ImageHeight");
  fnLabel_ = &ToolkitFind<TLabel>(*this, "FNLabel");
  fList_ = &ToolkitFind<TListBox>(*this, "FList");
  view_ = &ToolkitFind<TGraphView>(*this, "View");
  openDialog_ = &ToolkitFind<TOpenDialog>(*this, "OpenDialog");
  settings_ = &ToolkitFind<TScrSettings>(*this, "ScrSettings");
  ToolkitFind<TLabel>(*this, "SSFilesWeb").OnClick = [this](TComponent* s) { SSFilesWebClick(s); };
  ToolkitFind<TButton>(*this, "Open").OnClick = [this](TComponent* s) { OpenClick(s); };
  ToolkitFind<TButton>(*this, "BtnOk").OnClick = [this](TComponent* s) { BtnOkClick(s); };
  fList_->OnClick = [this](TComponent* s) { FListClick(s); };
  isRandom_->OnClick = [this](TComponent* s) { IsRandomClick(s); };

  CurrentFile.clear();
  Purpose = smConfig;
  const TExtras& extras = ExtrasOf(*settings_);
  reverse_->SetChecked(extras.IsReverse);
  isFloat_->SetChecked(extras.IsFloat);
  isRandom_->SetChecked(extras.IsRandom);  // applies IsRandomClick
  imageWidth_->SetText(std::to_string(extras.ImageWidth));
  imageHeight_->SetText(std::to_string(extras.ImageHeight));
  CurrentFile = extras.CurrentFile;
  if (!CurrentFile.empty()) {
    // A stored file that cannot be read (the default one before any was chosen, a drive
    // that is gone) leaves the list empty and "[Empty]" showing; Open tells its errors.
    try {
      Graphs = LoadGraphFile(CurrentFile);
      loaded_ = true;
      ListGraphs();
      fnLabel_->SetCaption(FileStem(CurrentFile));
      fList_->SetItemIndex(extras.GraphIndex);
    } catch (const EFileError&) {
    }
  }
  openDialog_->InitialDir = FolderOf(CurrentFile);
}

TConfigForm::~TConfigForm() {
  view_->SetGraph(nullptr);
  if (!loaded_) return;
  try {
    SaveGraphFile(CurrentFile, Graphs);
  } catch (...) {
    Application().HandleException();
  }
}

void TConfigForm::ListGraphs() {
  fList_->ClearItems();
  for (int i = 0; i < Graphs.Count(); ++i) fList_->AddItem(Graphs.Doc(i).Text(gtName));
}

void TConfigForm::BtnOkClick(TComponent*) {
  // Both sizes convert before anything is stored: a bad one stores nothing at all.
  const int32_t width = StrToInt(imageWidth_->Text());
  const int32_t height = StrToInt(imageHeight_->Text());
  TExtras& extras = ExtrasOf(*settings_);
  extras.IsReverse = reverse_->Checked();
  extras.IsFloat = isFloat_->Checked();
  extras.IsRandom = isRandom_->Checked();
  extras.ImageWidth = width;
  extras.ImageHeight = height;
  extras.CurrentFile = CurrentFile;
  extras.GraphIndex = fList_->ItemIndex();
  settings_->WriteRegistry();
}

void TConfigForm::OpenClick(TComponent*) {
  if (!openDialog_->Execute(Handle())) return;
  const std::string path = openDialog_->FileName;
  TGraphSet loaded = LoadGraphFile(path);  // a file that cannot be read changes nothing
  // The preview keeps its picture but lets go of the documents about to be released.
  view_->SetGraph(nullptr);
  Graphs = std::move(loaded);
  loaded_ = true;
  ListGraphs();
  fList_->SetItemIndex(-1);
  CurrentFile = path;
  fnLabel_->SetCaption(FileStem(CurrentFile));
}

void TConfigForm::FListClick(TComponent*) {
  const int index = fList_->ItemIndex();
  if (index < 0 || index >= Graphs.Count()) return;
  view_->SetGraph(&Graphs.Doc(index));
  view_->StepFrame(1, false);
}

void TConfigForm::IsRandomClick(TComponent*) {
  if (isRandom_->Checked()) {
    fList_->SetEnabled(false);
    fList_->SetItemIndex(-1);
  } else {
    fList_->SetEnabled(true);
  }
}

void TConfigForm::SSFilesWebClick(TComponent*) {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, sizeof module);
  const std::string page = GalleryPageOf(module);
  if (GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
    throw EFileError("Cannot open file " + page);
  }
  ShellExecuteA(Handle(), "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
