#include "FrmNuovo.h"

#include "Application.h"
#include "Button.h"
#include "Edit.h"
#include "FrmMain.h"
#include "Label.h"
#include "Layout.h"
#include "ProjectName.h"

namespace {

const TFont TitleFont = {.Name = "Arial", .Height = 24, .Bold = true, .Color = RGB(0, 0, 128)};

void Title(TComponent& c) {
  auto& label = static_cast<TLabel&>(c);
  label.SetAutoSize(false);
  label.SetAlignment(taCenter);
}

void Disabled(TComponent& c) { static_cast<TControl&>(c).SetEnabled(false); }
void CancelButton(TComponent& c) { static_cast<TButton&>(c).SetCancel(true); }

bool Blank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

}  // namespace

TFrmNuovo::TFrmNuovo(TComponent* owner, TFrmMain& main) : TForm(owner), main_(main) {
  SetName("FrmNuovo");
  SetCaption("Nuovo Progetto");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(290);
  SetClientHeight(140);

  ToolkitBuildLayout(*this, {
      {"Label1", ComponentClass<TLabel>, "", 0, 10, 290, 30, "Nuovo Progetto", Title, TitleFont},
      {"Label2", ComponentClass<TLabel>, "", 16, 54, 0, 0, "Nome progetto"},
      {"TxtProjectName", ComponentClass<TEdit>, "", 16, 70, 258, 21, ""},
      {"BtnAnnulla", ComponentClass<TButton>, "", 199, 104, 75, 25, "Cancel", CancelButton},
      {"BtnOk", ComponentClass<TButton>, "", 118, 104, 75, 25, "Ok", Disabled},
  });

  auto& name = ToolkitFind<TEdit>(*this, "TxtProjectName");
  name.OnChange = [this](TComponent*) { TxtProjectNameChange(); };
  name.OnKeyPress = [this](TComponent*, char& key) { TxtProjectNameKeyPress(key); };
  ToolkitFind<TButton>(*this, "BtnOk").OnClick = [this](TComponent*) { BtnOkClick(); };
  ToolkitFind<TButton>(*this, "BtnAnnulla").OnClick = [this](TComponent*) { Close(); };
}

void TFrmNuovo::TxtProjectNameChange() {
  ToolkitFind<TButton>(*this, "BtnOk").SetEnabled(!Blank(ToolkitFind<TEdit>(*this, "TxtProjectName").Text()));
}

void TFrmNuovo::TxtProjectNameKeyPress(char& key) {
  // Enter creates the project even while OK is disabled (an empty name is then reported as
  // an existing project: the Projects folder itself).
  if (key == '\r') {
    key = 0;
    BtnOkClick();
  }
}

void TFrmNuovo::BtnOkClick() {
  auto& field = ToolkitFind<TEdit>(*this, "TxtProjectName");
  const std::string name = field.Text();
  TEditorState state = main_.State();
  switch (ProjectNew(main_.Store(), state, name)) {
    case TNewOutcome::Exists:
      Application().MessageBox(ProjectExistsText, ProjectExistsCaption, MB_OK);
      return;
    case TNewOutcome::Refused:
      Application().MessageBox(ProjectNameProblem(name).c_str(), ProjectExistsCaption, MB_OK);
      return;
    case TNewOutcome::Created:
      break;
  }
  main_.SetState(state);
  field.SetText("");
  Close();
}
