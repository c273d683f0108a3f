#pragma once

// The editor's main window: the current project, its ordered image list and its interval,
// the commands of the program and the build of a screen saver.  Its three controls LblPrname,
// TxtIntervallo and Filelist are the whole project state; the dialogs read and fill them
// through State and SetState.

#include <memory>

#include "Form.h"
#include "ListBox.h"
#include "ProjectStore.h"
#include "ZLIBArchive.h"

class TFrmInfo;
class TFrmNuovo;
class TFrmOpenImage;
class TFrmOpenProject;
class TSaverForm;

class TFrmMain : public TForm {
public:
  // Fixes the program folder from the program file's path and creates the Projects folder.
  explicit TFrmMain(TComponent* owner);
  ~TFrmMain() override;

  // The windows the commands show; created after the main window, owned by the application,
  // they must outlive it.
  void SetDialogs(TFrmNuovo& nuovo, TFrmOpenProject& open, TFrmOpenImage& picker, TFrmInfo& info);

  const TProjectStore& Store() const { return store_; }
  // Whether the Projects folder could be made at start (ProjectsFolderUnwritableText).
  bool ProjectsFolderReady() const { return projectsFolderReady_; }
  // The project as the controls show it, and the controls set to a project (the editing
  // controls enabled when state.EditorEnabled).
  TEditorState State() const;
  void SetState(const TEditorState& state);
  TListBox& Filelist() const;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ChangeScale(int fromDpi, int toDpi) override;

private:
  // The buttons' glyphs, as drawn for the buttons' DPI.
  void LoadGlyphs();
  void Nuovo1Click();
  void Apri1Click();
  void Salva1Click();
  void Informazionisu1Click();
  void BtnAggiungiClick();
  void BtnEliminaClick();
  void BtnSuClick();
  void BtnGiuClick();
  void TxtIntervalloChange();
  void BtnAnteprimaClick();
  void BtnCreaClick();
  void SpeedButton5Click();

  TProjectStore store_;
  bool projectsFolderReady_ = false;
  TZLBArchive ZIP;
  TFrmNuovo* nuovo_ = nullptr;
  TFrmOpenProject* open_ = nullptr;
  TFrmOpenImage* picker_ = nullptr;
  TFrmInfo* info_ = nullptr;
  // The running or last preview; a closed preview is destroyed once its own handler is done.
  std::unique_ptr<TSaverForm> preview_;
};
