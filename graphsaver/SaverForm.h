#pragma once

#include <optional>
#include <string>

#include "GraphFile.h"
#include "GraphView.h"
#include "SaverPlayer.h"
#include "ScrForm.h"

class TImage;
class TLabel;
class TScrSettings;
class TTimer;

// The saver's full-screen window: black, the graph view covering it and the recording banner
// at (8, 8) above it.  It loads the graph set file of its settings (TExtras), picks a graph,
// and animates it from its 10 ms message timer (TSaverPlayer): a surface is recorded frame by
// frame under the banner, then the cached cycle plays and the image floats.  Its destructor
// writes the graph set back to the file it came from.
//
// Construct it only while a controller exists (its settings component needs one).
class TSaverForm : public TScrForm {
public:
  explicit TSaverForm(TComponent* owner);
  ~TSaverForm() override;

  // Path of the graph set file; empty for none.
  std::string CurrentFile;
  // The documents loaded from CurrentFile (up to TGraphSet::MaxDocs; later chunks are kept
  // raw and written back too), owned by the form.  Empty when the file could not be read.
  TGraphSet Graphs;
  // The entry shown; -1 when there is none.
  int GraphIndex = -1;
  bool IsReverse = false;
  bool IsRandom = false;

  TGraphView& View() { return *view_; }
  TImage& RecordImage() { return *recordImage_; }
  // Where a failure of the graph is told, in white at (8, 8); hidden until then.
  TLabel& ReportLabel() { return *reportLabel_; }
  TScrSettings& ScrSettings() { return *settings_; }
  TTimer& ScrTimer() { return *timer_; }
  const TSaverPlayer& Player() const { return *player_; }

  // One animation tick (TSaverPlayer::Tick) in the play area of the window; nothing before
  // the window exists.
  void ScrTimerTimer(TComponent* sender);

  // Where the image floats, in the window's pixels: the primary monitor within the view
  // (SaverPlayArea).
  TSaverArea PlayArea();

private:
  void ShowReport(const std::string& text);

  TGraphView* view_ = nullptr;
  TImage* recordImage_ = nullptr;
  TLabel* reportLabel_ = nullptr;
  TScrSettings* settings_ = nullptr;
  TTimer* timer_ = nullptr;
  std::optional<TSaverPlayer> player_;
  // Graphs came from CurrentFile: only then is the file written back.  A file that could
  // not be read (missing, locked) would otherwise be replaced by an empty set.
  bool loaded_ = false;
};

// The frame sequence every saver window of the process shares (see TSaverSequence).
// Process-wide by design; tests that make several windows reset it between them.
TSaverSequence& SaverSequence();
