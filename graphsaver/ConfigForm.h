#pragma once

#include <string>

#include "GraphFile.h"
#include "ScrDialog.h"

class TButton;
class TCheckBox;
class TEdit;
class TGraphView;
class TLabel;
class TListBox;
class TOpenDialog;
class TScrSettings;

// The saver's settings dialog: image size, floating and reversing, the graph set file and
// the graph, with a small preview of the graph clicked in the list.  OK writes every setting
// (TExtras and the shared values), Cancel none; the graph set is written back to its file
// when the dialog goes, whichever button closed it.
//
// Construct it only while a controller exists (its settings component needs one).
class TConfigForm : public TScrDialog {
public:
  explicit TConfigForm(TComponent* owner);
  ~TConfigForm() override;

  // The documents of CurrentFile, owned; empty when no file was read.
  TGraphSet Graphs;
  // The graph set file the settings name; empty for none.
  std::string CurrentFile;

  void BtnOkClick(TComponent* sender);
  void OpenClick(TComponent* sender);
  void FListClick(TComponent* sender);
  void IsRandomClick(TComponent* sender);
  // Opens the gallery's page beside the saver (GalleryPage.h) in the default browser; a page
  // that is not there is reported as "Cannot open file PATH".
  void SSFilesWebClick(TComponent* sender);

  TCheckBox& IsFloat() { return *isFloat_; }
  TCheckBox& Reverse() { return *reverse_; }
  TCheckBox& IsRandom() { return *isRandom_; }
  TEdit& ImageWidth() { return *imageWidth_; }
  TEdit& ImageHeight() { return *imageHeight_; }
  TLabel& FNLabel() { return *fnLabel_; }
  TListBox& FList() { return *fList_; }
  TGraphView& View() { return *view_; }
  TOpenDialog& OpenDialog() { return *openDialog_; }
  TScrSettings& ScrSettings() { return *settings_; }

private:
  void ListGraphs();

  TCheckBox *isFloat_ = nullptr, *reverse_ = nullptr, *isRandom_ = nullptr;
  TEdit *imageWidth_ = nullptr, *imageHeight_ = nullptr;
  TLabel* fnLabel_ = nullptr;
  TListBox* fList_ = nullptr;
  TGraphView* view_ = nullptr;
  TOpenDialog* openDialog_ = nullptr;
  TScrSettings* settings_ = nullptr;
  // Graphs came from CurrentFile: only then is the file written back, so that a stored file
  // that cannot be read now is never replaced by an empty set.
  bool loaded_ = false;
};
