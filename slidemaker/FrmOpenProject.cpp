#include "FrmOpenProject.h"

#include "Button.h"
#include "FileListControls.h"
#include "FrmMain.h"
#include "Label.h"
#include "Layout.h"
#include "ListBox.h"
#include "ShowMessage.h"

namespace {

void DefaultButton(TComponent& c) { static_cast<TButton&>(c).SetDefault(true); }
void CancelButton(TComponent& c) { static_cast<TButton&>(c).SetCancel(true); }
void Hidden(TComponent& c) { static_cast<TControl&>(c).SetVisible(false); }

}  // namespace

TFrmOpenProject::TFrmOpenProject(TComponent* owner, TFrmMain& main) : TGradientForm(owner), main_(main) {
  SetName("FrmOpenProject");
  SetCaption("Apri progetto");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(240);
  SetClientHeight(226);

  ToolkitBuildLayout(*this, {
      {"Label1", ComponentClass<TLabel>, "", 12, 10, 0, 0, "Progetti disponibili"},
      {"Lista", ComponentClass<TListBox>, "", 12, 28, 216, 154, nullptr},
      {"BtnOk", ComponentClass<TButton>, "", 72, 190, 75, 25, "Ok", DefaultButton},
      {"BtnAnnulla", ComponentClass<TButton>, "", 153, 190, 75, 25, "Cancel", CancelButton},
      {"DirList", ComponentClass<TDirectoryListBox>, "", 0, 0, 0, 0, nullptr, Hidden},
  });

  OnShow = [this](TComponent*) { FormShow(); };
  ToolkitFind<TButton>(*this, "BtnOk").OnClick = [this](TComponent*) { BtnOkClick(); };
  ToolkitFind<TButton>(*this, "BtnAnnulla").OnClick = [this](TComponent*) { Close(); };
}

void TFrmOpenProject::FormShow() {
  // Pointing the hidden folder list at the Projects folder reads it afresh, so projects made
  // or removed since the last show appear as they are now.
  auto& folders = ToolkitFind<TDirectoryListBox>(*this, "DirList");
  folders.SetDirectory(main_.Store().ProjectsFolder());
  const std::vector<std::string>& names = folders.SubFolders();
  auto& list = ToolkitFind<TListBox>(*this, "Lista");
  list.ClearItems();
  for (const std::string& name : names) list.AddItem(name);
  ToolkitFind<TButton>(*this, "BtnOk").SetEnabled(!names.empty());
  if (!names.empty()) list.SetItemIndex(0);
}

void TFrmOpenProject::BtnOkClick() {
  auto& list = ToolkitFind<TListBox>(*this, "Lista");
  const int index = list.ItemIndex();
  if (index < 0) return;
  const std::string name = list.Item(index);
  TEditorState state = main_.State();
  ProjectOpen(main_.Store(), state, name, ShowMessage);
  main_.SetState(state);
  Close();
}
