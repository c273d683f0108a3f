#include "SaverForm.h"

#include <cstdlib>
#include <ctime>

#include "DeviceContext.h"
#include "Extras.h"
#include "GraphMessages.h"
#include "Image.h"
#include "Label.h"
#include "Layout.h"
#include "ScrDebug.h"
#include "ScrSettings.h"
#include "Timer.h"

TSaverSequence& SaverSequence() {
  static TSaverSequence sequence;  // process-wide: see the header
  return sequence;
}

namespace {

const TFont ReportFont = {.Height = 16, .Bold = true, .Color = RGB(255, 255, 255)};

}  // namespace

TSaverForm::TSaverForm(TComponent* owner) : TScrForm(owner) {
  SetName("SaverForm");
  SetCaption("Plotvane");
  SetColor(RGB(0, 0, 0));
  // The banner comes after the view: it lies above it and is painted after it.
  ToolkitBuildLayout(*this, {
      {"View", ComponentClass<TGraphView>, "", 0, 0, 0, 0, nullptr,
       [](TComponent& c) {
         auto& control = static_cast<TGraphView&>(c);
         control.SetAlign(alClient);
         TView& view = control.View();
         view.ImageWidth = view.ImageHeight = 500;
         view.ImageX = view.ImageY = 300;
         view.ImageBorder = 4;
       }},
      {"RecordImage", ComponentClass<TImage>, "", 8, 8, 210, 50, nullptr,
       [](TComponent& c) {
         auto& image = static_cast<TImage&>(c);
         image.SetAutoSize(true);
         image.Picture().LoadFromResource(GetModuleHandleA(nullptr), "PLOTVANERECORDING");
       }},
      {"ReportLabel", ComponentClass<TLabel>, "", 8, 8, 0, 0, nullptr,
       [](TComponent& c) {
         auto& label = static_cast<TLabel&>(c);
         label.SetTransparent(true);
         label.SetVisible(false);
       },
       ReportFont},
      {"ScrSettings", ComponentClass<TScrSettings>, "", 0, 0, 0, 0, nullptr,
       [](TComponent& c) {
         auto& settings = static_cast<TScrSettings&>(c);
         settings.SetMouseThreshold(100);
         settings.SetMouseThresholdIndex(1);
         settings.SetPasswordDelay(100);
         settings.SetDisableActiveConfig(true);
         settings.Loaded();
       }},
      {"ScrTimer", ComponentClass<TTimer>, "", 0, 0, 0, 0, nullptr,
       [](TComponent& c) { static_cast<TTimer&>(c).SetInterval(10); }},
  });
  view_ = &ToolkitFind<TGraphView>(*this, "View");
  recordImage_ = &ToolkitFind<TImage>(*this, "RecordImage");
  reportLabel_ = &ToolkitFind<TLabel>(*this, "ReportLabel");
  settings_ = &ToolkitFind<TScrSettings>(*this, "ScrSettings");
  timer_ = &ToolkitFind<TTimer>(*this, "ScrTimer");
  timer_->OnTimer = [this](TComponent* sender) { ScrTimerTimer(sender); };
  // A text that does not compile is told on the screen: a box would take the key that
  // should end the saver.
  view_->OnSyntaxError = [this] {
    ShowReport(GraphSyntaxErrorText);
    timer_->SetEnabled(false);
  };

  CurrentFile.clear();
  Purpose = smSaver;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  const TSaverRandom random = [] { return std::rand(); };
  const TExtras& settings = ExtrasOf(*settings_);
  IsReverse = settings.IsReverse;
  player_.emplace(SaverSequence(), SaverChooseSpeed(settings.IsFloat, random), IsReverse);
  view_->View().ImageHeight = settings.ImageHeight;
  view_->View().ImageWidth = settings.ImageWidth;
  CurrentFile = settings.CurrentFile;
  IsRandom = settings.IsRandom;
  if (!CurrentFile.empty()) {
    try {
      Graphs = LoadGraphFile(CurrentFile);
      loaded_ = true;
    } catch (const EFileError& error) {
      // Unattended, the saver tells no one: the screen stays black, the file untouched.
      ScrDebug(tlMsg, error.what());
    }
  }
  GraphIndex = SaverChooseGraph(IsRandom, settings.GraphIndex, Graphs.Count(), random);
}

TSaverForm::~TSaverForm() {
  timer_->SetEnabled(false);
  view_->SetGraph(nullptr);
  if (!loaded_) return;
  try {
    SaveGraphFile(CurrentFile, Graphs);
  } catch (const std::exception& error) {
    // The user is only just back; the old file is still there (SaveGraphFile).
    ScrDebug(tlErr, std::string("The graph set was not written back: ") + error.what());
  }
}

TSaverArea TSaverForm::PlayArea() {
  const TSaverArea whole{0, 0, view_->Width(), view_->Height()};
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return whole;
  POINT origin = {view_->Left(), view_->Top()};
  ClientToScreen(Handle(), &origin);
  const RECT& r = info.rcMonitor;
  return SaverPlayArea(whole, {r.left - origin.x, r.top - origin.y, r.right - r.left,
                               r.bottom - r.top});
}

void TSaverForm::ShowReport(const std::string& text) {
  ScrDebug(tlErr, text);
  recordImage_->SetVisible(false);
  reportLabel_->SetCaption(text);
  reportLabel_->SetVisible(true);
}

void TSaverForm::ScrTimerTimer(TComponent*) {
  if (!WindowHandle()) return;
  TGraphDoc* doc = GraphIndex >= 0 && GraphIndex < Graphs.Count() ? &Graphs.Doc(GraphIndex) : nullptr;
  const TSaverArea area = PlayArea();
  TSaverTick tick;
  view_->Draw([&] { tick = player_->Tick(view_->View(), doc, area); });
  if (tick.Interval) timer_->SetInterval(static_cast<unsigned>(*tick.Interval));
  if (!tick.ShowBanner) {
    if (recordImage_->Visible()) recordImage_->SetVisible(false);
  } else if (tick.RepaintBanner && recordImage_->Visible()) {
    // The view drew on the window itself, over the banner's place.
    const TWindowDC dc(Handle());
    const TSavedDC saved(dc.Get());
    SetViewportOrgEx(dc.Get(), recordImage_->Left(), recordImage_->Top(), nullptr);
    IntersectClipRect(dc.Get(), 0, 0, recordImage_->Width(), recordImage_->Height());
    recordImage_->Paint(dc.Get());
  }
  if (tick.Stop) timer_->SetEnabled(false);
  if (!tick.Report.empty()) ShowReport(tick.Report);
}
