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

const TFont BoldFont = {.Name = "Tahoma", .Height = 11, .Bold = true};
// The web address as a shadowed caption: a black text under a white one.
const TFont AddressShadowFont = {.Name = "Arial", .Height = 20, .Bold = true, .Color = RGB(0, 0, 0)};
const TFont AddressFont = {.Name = "Arial", .Height = 20, .Bold = true, .Color = RGB(255, 255, 255)};

void Transparent(TComponent& c) { static_cast<TLabel&>(c).SetTransparent(true); }

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
      {"Lbl", ComponentClass<TLabel>, "", 8, 6, 0, 0, "Nome progetto : ", nullptr, BoldFont},
      {"LblPrname", ComponentClass<TLabel>, "", 104, 6, 0, 0, ProjectNoneLabel},
      {"GroupBox1", ComponentClass<TGroupBox>, "", 8, 22, 168, 224, "Elenco Immagini"},
      {"Filelist", ComponentClass<TListBox>, "GroupBox1", 8, 16, 152, 200, nullptr},
      // The buttons are 125 wide: "Crea screen saver" with its glyph needs that at 150 %,
      // where text runs wider than 1.5 times its width at 100 %.
      {"GroupBox2", ComponentClass<TGroupBox>, "", 180, 22, 137, 122, "Immagini"},
      {"BtnAggiungi", ComponentClass<TBitBtn>, "GroupBox2", 8, 16, 125, 24, "Aggiungi", Disabled},
      {"BtnElimina", ComponentClass<TBitBtn>, "GroupBox2", 8, 42, 125, 24, "Elimina", Disabled},
      {"BtnSu", ComponentClass<TBitBtn>, "GroupBox2", 8, 68, 60, 24, "", Disabled},
      {"BtnGiu", ComponentClass<TBitBtn>, "GroupBox2", 73, 68, 60, 24, "", Disabled},
      {"Label1", ComponentClass<TLabel>, "GroupBox2", 8, 99, 0, 0, "Intervallo"},
      {"TxtIntervallo", ComponentClass<TEdit>, "GroupBox2", 73, 96, 60, 21, IntervalDefault, Disabled},
      {"GroupBox3", ComponentClass<TGroupBox>, "", 180, 148, 137, 98, "Screen Saver"},
      {"BtnAnteprima", ComponentClass<TBitBtn>, "GroupBox3", 8, 16, 125, 24, "Anteprima", Disabled},
      {"BtnCrea", ComponentClass<TBitBtn>, "GroupBox3", 8, 42, 125, 24, "Crea screen saver", Disabled},
      {"SpeedButton5", ComponentClass<TBitBtn>, "GroupBox3", 8, 68, 125, 24, "Uscita"},
      // The web address across the foot of the window, white over its black shadow.
      {"Label2", ComponentClass<TLabel>, "", 9, 252, 0, 0, ProgramHomePage, Transparent, AddressShadowFont},
      {"Label3", ComponentClass<TLabel>, "", 8, 250, 0, 0, ProgramHomePage, Transparent, AddressFont},
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
    void (TFrmMain::*click)();
  } buttons[] = {
      {"BtnAggiungi", &TFrmMain::BtnAggiungiClick},
      {"BtnElimina", &TFrmMain::BtnEliminaClick},
      {"BtnSu", &TFrmMain::BtnSuClick},
      {"BtnGiu", &TFrmMain::BtnGiuClick},
      {"BtnAnteprima", &TFrmMain::BtnAnteprimaClick},
      {"BtnCrea", &TFrmMain::BtnCreaClick},
      {"SpeedButton5", &TFrmMain::SpeedButton5Click},
  };
  for (const auto& b : buttons)
    ToolkitFind<TBitBtn>(*this, b.button).OnClick = [this, click = b.click](TComponent*) { (this->*click)(); };
  LoadGlyphs();
  ToolkitFind<TEdit>(*this, "TxtIntervallo").OnChange = [this](TComponent*) { TxtIntervalloChange(); };
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::LoadGlyphs() {
  const struct {
    const char* button;
    const char* glyph;
  } glyphs[] = {
      {"BtnAggiungi", ResGlyphAdd},      {"BtnElimina", ResGlyphDelete}, {"BtnSu", ResGlyphUp},
      {"BtnGiu", ResGlyphDown},          {"BtnAnteprima", ResGlyphPreview},
      {"BtnCrea", ResGlyphBuild},        {"SpeedButton5", ResGlyphExit},
  };
  for (const auto& g : glyphs) {
    auto& button = ToolkitFind<TBitBtn>(*this, g.button);
    button.SetGlyph(SlidemakerBitmap(g.glyph, button.Dpi()));
  }
}

void TFrmMain::ChangeScale(int fromDpi, int toDpi) {
  TForm::ChangeScale(fromDpi, toDpi);
  LoadGlyphs();  // drawn for the new scale, never stretched
}

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
