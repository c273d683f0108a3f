#include "FrmMain.h"

#include <string>

#include "Button.h"
#include "Cursor.h"
#include "Edit.h"
#include "FrmInfo.h"
#include "FrmNuovo.h"
#include "FrmOpenImage.h"
#include "FrmOpenProject.h"
#include "GroupBox.h"
#include "IntervalCheck.h"
#include "Label.h"
#include "Layout.h"
#include "Menu.h"
#include "ProgramInfo.h"
#include "ProjectBuild.h"
#include "SaverForm.h"
#include "SaverRules.h"
#include "ShowMessage.h"
#include "SlidemakerResources.h"
#include "StrToInt.h"

namespace {

// Posted to the main window by a preview that closed: it is destroyed outside its handlers.
constexpr UINT WmPreviewClosed = WM_APP + 1;

std::string ProgramFile() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

void BoldLabel(TComponent& c) { static_cast<TLabel&>(c).SetFont({.Name = "Tahoma", .Height = 11, .Bold = true}); }

// The web address as a shadowed caption: a black text under a white one.
void AddressShadow(TComponent& c) {
  auto& label = static_cast<TLabel&>(c);
  label.SetFont({.Name = "Arial", .Height = 20, .Bold = true, .Color = RGB(0, 0, 0)});
  label.SetTransparent(true);
}
void AddressText(TComponent& c) {
  auto& label = static_cast<TLabel&>(c);
  label.SetFont({.Name = "Arial", .Height = 20, .Bold = true, .Color = RGB(255, 255, 255)});
  label.SetTransparent(true);
}

void Disabled(TComponent& c) { static_cast<TControl&>(c).SetEnabled(false); }

// The controls New and Open enable, and nothing disables again.
constexpr const char* EditorControls[] = {"BtnAggiungi", "BtnElimina", "BtnSu",    "BtnGiu",
                                          "TxtIntervallo", "BtnAnteprima", "BtnCrea"};

}  // namespace

TFrmMain::TFrmMain(TComponent* owner) : TForm(owner), store_(ProjectProgramFolder(ProgramFile())) {
  projectsFolderReady_ = store_.CreateProjectsFolder();
  ZIP.CompressionLevel = fcFastest;
  SetName("FrmMain");
  SetCaption(ProgramCaption);
  SetBorderStyle(bsSizeable);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetColor(RGB(192, 192, 192));
  SetBounds(0, 0, 329, 324);

  ToolkitBuildLayout(*this, {
      {"MainMenu1", ComponentClass<TMainMenu>, "", 0, 0, 0, 0, nullptr},
      {"Lbl", ComponentClass<TLabel>, "", 8, 6, 0, 0, "Nome progetto : ", BoldLabel},
      {"LblPrname", ComponentClass<TLabel>, "", 104, 6, 0, 0, ProjectNoneLabel},
      {"GroupBox1", ComponentClass<TGroupBox>, "", 8, 22, 168, 224, "Elenco Immagini"},
      {"Filelist", ComponentClass<TListBox>, "GroupBox1", 8, 16, 152, 200, nullptr},
      {"GroupBox2", ComponentClass<TGroupBox>, "", 182, 22, 131, 122, "Immagini"},
      {"BtnAggiungi", ComponentClass<TBitBtn>, "GroupBox2", 8, 16, 115, 24, "Aggiungi", Disabled},
      {"BtnElimina", ComponentClass<TBitBtn>, "GroupBox2", 8, 42, 115, 24, "Elimina", Disabled},
      {"BtnSu", ComponentClass<TBitBtn>, "GroupBox2", 8, 68, 55, 24, "", Disabled},
      {"BtnGiu", ComponentClass<TBitBtn>, "GroupBox2", 68, 68, 55, 24, "", Disabled},
      {"Label1", ComponentClass<TLabel>, "GroupBox2", 8, 99, 0, 0, "Intervallo"},
      {"TxtIntervallo", ComponentClass<TEdit>, "GroupBox2", 68, 96, 55, 21, IntervalDefault, Disabled},
      {"GroupBox3", ComponentClass<TGroupBox>, "", 182, 148, 131, 98, "Screen Saver"},
      {"BtnAnteprima", ComponentClass<TBitBtn>, "GroupBox3", 8, 16, 115, 24, "Anteprima", Disabled},
      {"BtnCrea", ComponentClass<TBitBtn>, "GroupBox3", 8, 42, 115, 24, "Crea screen saver", Disabled},
      {"SpeedButton5", ComponentClass<TBitBtn>, "GroupBox3", 8, 68, 115, 24, "Uscita"},
      // The web address across the foot of the window, white over its black shadow.
      {"Label2", ComponentClass<TLabel>, "", 9, 252, 0, 0, ProgramHomePage, AddressShadow},
      {"Label3", ComponentClass<TLabel>, "", 8, 250, 0, 0, ProgramHomePage, AddressText},
  });

  auto& menu = ToolkitFind<TMainMenu>(*this, "MainMenu1");
  TMenuItem* progetto = menu.Items().Add("Progetto");
  progetto->Add("Nuovo", [this](TComponent*) { Nuovo1Click(); });
  progetto->Add("Apri", [this](TComponent*) { Apri1Click(); });
  progetto->Add("Salva", [this](TComponent*) { Salva1Click(); });
  menu.Items().Add("Info")->Add("Informazioni su...", [this](TComponent*) { Informazionisu1Click(); });
  SetMenu(&menu);

  const struct {
    const char* button;
    const char* glyph;
    void (TFrmMain::*click)();
  } buttons[] = {
      {"BtnAggiungi", ResGlyphAdd, &TFrmMain::BtnAggiungiClick},
      {"BtnElimina", ResGlyphDelete, &TFrmMain::BtnEliminaClick},
      {"BtnSu", ResGlyphUp, &TFrmMain::BtnSuClick},
      {"BtnGiu", ResGlyphDown, &TFrmMain::BtnGiuClick},
      {"BtnAnteprima", ResGlyphPreview, &TFrmMain::BtnAnteprimaClick},
      {"BtnCrea", ResGlyphBuild, &TFrmMain::BtnCreaClick},
      {"SpeedButton5", ResGlyphExit, &TFrmMain::SpeedButton5Click},
  };
  for (const auto& b : buttons) {
    auto& button = ToolkitFind<TBitBtn>(*this, b.button);
    button.SetGlyph(SlidemakerBitmap(b.glyph));
    button.OnClick = [this, click = b.click](TComponent*) { (this->*click)(); };
  }
  ToolkitFind<TEdit>(*this, "TxtIntervallo").OnChange = [this](TComponent*) { TxtIntervalloChange(); };
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::SetDialogs(TFrmNuovo& nuovo, TFrmOpenProject& open, TFrmOpenImage& picker, TFrmInfo& info) {
  nuovo_ = &nuovo;
  open_ = &open;
  picker_ = &picker;
  info_ = &info;
}

TListBox& TFrmMain::Filelist() const { return ToolkitFind<TListBox>(*this, "Filelist"); }

TEditorState TFrmMain::State() const {
  TEditorState state;
  state.ProjectLabel = ToolkitFind<TLabel>(*this, "LblPrname").Caption();
  state.Interval = ToolkitFind<TEdit>(*this, "TxtIntervallo").Text();
  state.Filelist = Filelist().Items();
  state.EditorEnabled = ToolkitFind<TBitBtn>(*this, "BtnCrea").Enabled();
  return state;
}

void TFrmMain::SetState(const TEditorState& state) {
  ToolkitFind<TLabel>(*this, "LblPrname").SetCaption(state.ProjectLabel);
  ToolkitFind<TEdit>(*this, "TxtIntervallo").SetText(state.Interval);
  TListBox& list = Filelist();
  list.ClearItems();
  for (const std::string& entry : state.Filelist) list.AddItem(entry);
  if (state.EditorEnabled)
    for (const char* name : EditorControls) ToolkitFind<TControl>(*this, name).SetEnabled(true);
}

LRESULT TFrmMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WmPreviewClosed) {
    if (preview_ && preview_->Closed()) preview_.reset();
    return 0;
  }
  return TForm::WndProc(message, wParam, lParam);
}

void TFrmMain::Nuovo1Click() { nuovo_->Show(); }
void TFrmMain::Apri1Click() { open_->Show(); }
void TFrmMain::Salva1Click() { ProjectSave(store_, State()); }
void TFrmMain::Informazionisu1Click() { info_->Show(); }
void TFrmMain::BtnAggiungiClick() { picker_->Show(); }

void TFrmMain::BtnEliminaClick() {
  TListBox& list = Filelist();
  const int index = list.ItemIndex();
  if (index >= 0) list.DeleteItem(index);
}

void TFrmMain::BtnSuClick() {
  TListBox& list = Filelist();
  const int index = list.ItemIndex();
  if (index <= 0) return;
  const std::string moved = list.Item(index);
  list.SetItem(index, list.Item(index - 1));
  list.SetItem(index - 1, moved);
  list.SetItemIndex(index - 1);
}

void TFrmMain::BtnGiuClick() {
  TListBox& list = Filelist();
  const int index = list.ItemIndex();
  if (index < 0 || index >= list.Count() - 1) return;
  const std::string moved = list.Item(index);
  list.SetItem(index, list.Item(index + 1));
  list.SetItem(index + 1, moved);
  list.SetItemIndex(index + 1);
}

void TFrmMain::TxtIntervalloChange() {
  auto& field = ToolkitFind<TEdit>(*this, "TxtIntervallo");
  // Setting the text raises this handler again, with a valid text that ends it.
  if (!StrToIntTry(field.Text())) field.SetText(IntervalDefault);
}

void TFrmMain::BtnAnteprimaClick() {
  TListBox& list = Filelist();
  if (list.Count() == 0) {
    ShowMessage(ProjectEmptyText);
    return;
  }
  preview_.reset();
  preview_ = std::make_unique<TSaverForm>(nullptr, list);
  preview_->OnClosed = [this](TComponent*) { PostMessageA(Handle(), WmPreviewClosed, 0, 0); };
  preview_->Timer().SetInterval(SaverTimerInterval(StrToInt(ToolkitFind<TEdit>(*this, "TxtIntervallo").Text())));
  preview_->Show();
}

void TFrmMain::BtnCreaClick() {
  THourglass hourglass;
  ShowMessage(ProjectBuild(store_, State(), ZIP).Message);
}

void TFrmMain::SpeedButton5Click() { Close(); }
