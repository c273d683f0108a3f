// The graph saver's three windows in this process, where their pixels and controls can be
// read: the control panel's preview inside a host window, the settings dialog driven as a
// user drives it (the open dialog included), and the saver window's reversal at a bounce on
// GDI itself.  Settings go through the prefix's real registry.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "../support/MessagePump.h"
#include "Application.h"
#include "Button.h"
#include "CheckBox.h"
#include "ConfigForm.h"
#include "DibInfo.h"
#include "Edit.h"
#include "Extras.h"
#include "GalleryPage.h"
#include "GraphText.h"
#include "GraphView.h"
#include "Image.h"
#include "Label.h"
#include "Layout.h"
#include "ListBox.h"
#include "OpenDialog.h"
#include "PngWriter.h"
#include "Proxy.h"
#include "SPreviewForm.h"
#include "SaverForm.h"
#include "ScrControl.h"
#include "ScrCurrentUserHive.h"
#include "Timer.h"

namespace {

namespace fs = std::filesystem;

std::string ClassOf(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::vector<char> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A graph set file from graph text (the format of twk build).
void WriteGraphSet(const fs::path& path, const std::string& text) {
  SaveGraphFile(path.string(), BuildGraphSet(text));
}

std::string Graph(const std::string& name, const std::string& lines) {
  return "[graph]\nName = " + name + "\n" + lines;
}

// A plane tilting with t: every frame differs from the next.
const std::string Tilting =
    "Func3Text = u*sin(t)\nUMinText = -1\nUMaxText = 1\nUDivText = 6\nVMinText = -1\n"
    "VMaxText = 1\nVDivText = 6\nTMaxText = 2pi\nFrameCount = 8\nBackColor = 0x400000\n";

TSaverSettings ReadStored() {
  TSaverSettings settings;
  SaverReadSettings(ScrCurrentUserHive(), "none", settings);
  return settings;
}

// Runs a step function from a thread timer, so that it also runs inside every modal loop
// (the dialog's, the open dialog's, a message box's), until it returns true.
class TDriver {
public:
  explicit TDriver(std::function<bool()> step) : step_(std::move(step)) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 40, &Tick);
  }
  ~TDriver() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  TDriver(const TDriver&) = delete;
  TDriver& operator=(const TDriver&) = delete;

private:
  static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TDriver* self = active_;
    if (!self || self->done_ || self->inStep_) return;
    self->inStep_ = true;
    self->done_ = self->step_();
    self->inStep_ = false;
  }
  static inline TDriver* active_ = nullptr;
  std::function<bool()> step_;
  UINT_PTR timer_;
  bool done_ = false, inStep_ = false;
};

// The visible dialog box ("#32770") of this thread titled title, or null.
HWND FindBox(const std::string& title) {
  struct TSearch {
    std::string title;
    HWND found = nullptr;
  } search{title};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        if (IsWindowVisible(window) && ClassOf(window) == "#32770" &&
            (s->title.empty() || TextOf(window) == s->title)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text of a message box's message.
std::string BoxText(HWND box) {
  char text[512] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

// With PLOTVANE_SCREENSHOTS set, the client area of the window, child windows included, into
// NAME.png there: pictures a person can open.  Read from the window's own device context,
// which Wine keeps current; the screen's lags behind it.
void SaveShot(HWND window, const std::string& name) {
  const char* folder = std::getenv("PLOTVANE_SCREENSHOTS");
  if (!folder || !*folder) return;
  RECT r;
  GetClientRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = ToolkitDibInfo(width, -height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  std::vector<uint8_t> rgb;
  for (int i = 0; i < width * height; ++i) {
    const auto pixel = static_cast<const uint32_t*>(bits)[i];  // 0x00RRGGBB
    rgb.insert(rgb.end(), {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
  }
  std::string error;
  PngWriteRgb((fs::path(folder) / (name + ".png")).string(), width, height, rgb, error);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

class SaverForms : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Application().Initialize();
    Application().SetTitle("Quorvel Graph Screen Saver");
  }
  void SetUp() override {
    home_ = fs::current_path();
    folder_ = fs::temp_directory_path() / "plotvane-forms-test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    control_.SetModeClass(smSettings, ComponentClass<TExtras>);
    SaverSequence() = {};
  }
  void TearDown() override {
    fs::current_path(home_);  // the open dialog moves into the folder it chose from
    fs::remove_all(folder_);
  }

  static void Store(const TSaverSettings& settings) {
    SaverWriteSettings(ScrCurrentUserHive(), settings);
  }

  fs::path home_, folder_;
  TScrControl control_{nullptr};
};

// A top-level window with a child area, standing in for the control panel's preview area.
// A pop-up without caption: such windows close at once without a window manager.
class THost {
public:
  THost(int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "SaverFormsHost";
    RegisterClassA(&windowClass);
    frame_ = CreateWindowExA(0, "SaverFormsHost", "host", WS_POPUP | WS_VISIBLE, 20, 20,
                             width + 40, height + 40, nullptr, nullptr, windowClass.hInstance, nullptr);
    area_ = CreateWindowExA(0, "SaverFormsHost", "", WS_CHILD | WS_VISIBLE, 20, 20, width, height,
                            frame_, nullptr, windowClass.hInstance, nullptr);
  }
  ~THost() {
    if (IsWindow(frame_)) DestroyWindow(frame_);
  }
  HWND Frame() const { return frame_; }
  HWND Area() const { return area_; }

private:
  HWND frame_, area_;
};

TEST_F(SaverForms, PreviewShowsThePictureCentredOnBlack) {
  // The picture as the module holds it.
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), "PLOTVANEPREVIEW");
  ASSERT_TRUE(bitmap);
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  ASSERT_EQ(info.bmWidth, 252);
  ASSERT_EQ(info.bmHeight, 173);
  HDC pictureDc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(pictureDc, bitmap);

  control_.SetModeClass(smSPreview, ComponentClass<TSPreviewForm>);
  // Larger than the picture: all of it, centred, black around it.  Smaller (the control
  // panel's 152 x 112): its middle, cut at every edge.
  for (SIZE size : {SIZE{300, 220}, SIZE{152, 112}}) {
    THost host(size.cx, size.cy);
    control_.PerformPreview(host.Area(), false);
    HWND proxy = GetWindow(host.Area(), GW_CHILD);
    ASSERT_TRUE(proxy);
    HWND form = GetWindow(proxy, GW_CHILD);
    ASSERT_TRUE(form);
    RECT r;
    GetWindowRect(form, &r);
    EXPECT_EQ(r.right - r.left, size.cx);
    EXPECT_EQ(r.bottom - r.top, size.cy);
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(form);
    const int left = (size.cx - 252) / 2, top = (size.cy - 173) / 2;
    int compared = 0, mismatches = 0;
    for (int y = 0; y < size.cy; y += 7) {
      for (int x = 0; x < size.cx; x += 7) {
        const bool inside = x >= left && x < left + 252 && y >= top && y < top + 173;
        const COLORREF expected = inside ? GetPixel(pictureDc, x - left, y - top) : RGB(0, 0, 0);
        ++compared;
        if (GetPixel(dc, x, y) != expected) ++mismatches;
      }
    }
    ReleaseDC(form, dc);
    SaveShot(host.Frame(), "preview-" + std::to_string(size.cx) + "x" + std::to_string(size.cy));
    EXPECT_EQ(mismatches, 0) << compared << " points of a " << size.cx << " x " << size.cy << " area";
    DestroyWindow(host.Frame());
    Pump();
  }
  SelectObject(pictureDc, old);
  DeleteDC(pictureDc);
  DeleteObject(bitmap);
}

TEST_F(SaverForms, SettingsDialogShowsEditsAndWritesBack) {
  const fs::path fileA = folder_ / "Three Graphs.twk";
  WriteGraphSet(fileA, Graph("Alpha", Tilting) + Graph("Beta", Tilting) +
                           Graph("Gamma", "Kind = curve\nFunc1Text = u\nFunc2Text = sin(u)\n"));
  const std::vector<char> originalA = ReadBytes(fileA);
  TSaverSettings stored;
  stored.IsReverse = true;
  stored.IsFloat = false;
  stored.ImageWidth = 321;
  stored.ImageHeight = 123;
  stored.CurrentFile = fileA.string();
  stored.GraphIndex = 1;
  Store(stored);
  {
    TConfigForm form(nullptr);
    EXPECT_EQ(form.Caption(), "Quorvel Graph Screen Saver");
    EXPECT_EQ(form.ClientWidth(), 273);
    EXPECT_EQ(form.ClientHeight(), 345);
    // A fixed dialog border: the layout is fixed, so neither sizing nor maximising.
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << std::hex << style;
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), LONG{WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX});
    EXPECT_TRUE(form.Reverse().Checked());
    EXPECT_FALSE(form.IsFloat().Checked());
    EXPECT_FALSE(form.IsRandom().Checked());
    EXPECT_EQ(form.ImageWidth().Text(), "321");
    EXPECT_EQ(form.ImageHeight().Text(), "123");
    EXPECT_EQ(form.FNLabel().Caption(), "Three Graphs");
    EXPECT_EQ(form.FList().Items(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(form.FList().ItemIndex(), 1);
    EXPECT_EQ(form.OpenDialog().InitialDir, folder_.string() + "\\");
    EXPECT_EQ(form.OpenDialog().DefaultExt, "twk");
    EXPECT_EQ(form.OpenDialog().Filter, "Quorvel Graph|*.twk");

    form.Show();
    Pump();
    // Tab walks the controls in their order.
    std::vector<std::string> order;
    HWND first = form.ImageHeight().Handle();
    for (HWND at = first; order.size() < 10;) {
      order.push_back(TextOf(at).empty() ? ClassOf(at) : TextOf(at));
      at = GetNextDlgTabItem(form.Handle(), at, FALSE);
      if (at == first) break;
    }
    EXPECT_EQ(order, (std::vector<std::string>{"123", "321", "Floating", "Reverse on Collission",
                                               "&Open", "ListBox", "Random?", "OK", "Cancel"}));

    // A click on a graph draws its first frame into the preview.
    form.FList().SetItemIndex(0);
    form.FListClick(&form.FList());
    EXPECT_EQ(form.View().View().Graph(), &form.Graphs.Doc(0));
    EXPECT_TRUE(form.View().View().SnapshotValid());
    HWND preview = WindowFromPoint([&] {
      POINT p = {128 + 2 + 66, 200 + 2 + 50};
      ClientToScreen(form.Handle(), &p);
      return p;
    }());
    HDC dc = GetDC(preview);
    std::set<COLORREF> colours;
    for (int y = 4; y < 100; y += 3)
      for (int x = 4; x < 132; x += 3) colours.insert(GetPixel(dc, x, y));
    ReleaseDC(preview, dc);
    EXPECT_GT(colours.size(), 4u) << "a shaded surface in the preview";
    SaveShot(form.Handle(), "config-dialog");

    // Random? empties and disables the list; OK stores it all, "fn" -1 included.
    form.IsRandom().SetChecked(true);
    EXPECT_FALSE(form.FList().Enabled());
    EXPECT_EQ(form.FList().ItemIndex(), -1);
    form.ImageWidth().SetText("300");
    form.ImageHeight().SetText("250");
    WriteBytes(fileA, "not a graph set any more");
    form.BtnOkClick(nullptr);
    const TSaverSettings afterOk = ReadStored();
    EXPECT_TRUE(afterOk.IsReverse);
    EXPECT_FALSE(afterOk.IsFloat);
    EXPECT_TRUE(afterOk.IsRandom);
    EXPECT_EQ(afterOk.ImageWidth, 300);
    EXPECT_EQ(afterOk.ImageHeight, 250);
    EXPECT_EQ(afterOk.CurrentFile, fileA.string());
    EXPECT_EQ(afterOk.GraphIndex, -1);

    // A size that is no number: the message, and nothing stored.
    form.ImageWidth().SetText("abc");
    form.IsFloat().SetChecked(true);
    try {
      form.BtnOkClick(nullptr);
      ADD_FAILURE() << "no conversion error";
    } catch (const std::exception& error) {
      EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    EXPECT_FALSE(ReadStored().IsFloat);
    form.Hide();
  }
  EXPECT_EQ(ReadBytes(fileA), originalA) << "the dialog writes the set back to its file";
}

// The dialog as a user runs it, modally: Open with a path typed into the open dialog, a
// graph, Cancel; then OK with a bad width, whose message comes through the error report.
TEST_F(SaverForms, SettingsDialogOpensAFileAndCancelsOrFails) {
  const fs::path fileA = folder_ / "First.twk", fileB = folder_ / "Second.twk";
  WriteGraphSet(fileA, Graph("Alpha", Tilting));
  WriteGraphSet(fileB, Graph("One", Tilting) + Graph("Two", Tilting) + Graph("Three", Tilting));
  const std::vector<char> originalB = ReadBytes(fileB);
  TSaverSettings stored;
  stored.CurrentFile = fileA.string();
  Store(stored);
  {
    TConfigForm form(nullptr);
    int step = 0;
    std::vector<std::string> listed;
    int selection = 7;
    std::string stem;
    TDriver driver([&]() -> bool {
      switch (step) {
        case 0:  // the dialog is up: press Open
          if (!form.Visible()) return false;
          PostMessageA(ToolkitFind<TButton>(form, "Open").Handle(), BM_CLICK, 0, 0);
          ++step;
          return false;
        case 1: {  // type the path into the open dialog's name field and confirm
          HWND open = FindBox("");
          if (!open) return false;
          const std::string path = fileB.string();
          if (!SetDlgItemTextA(open, cmb13, path.c_str())) SetDlgItemTextA(open, edt1, path.c_str());
          PostMessageA(open, WM_COMMAND, IDOK, 0);
          ++step;
          return false;
        }
        case 2:  // back in the settings dialog with the new file
          if (FindBox("") || form.FList().Count() != 3) return false;
          listed = form.FList().Items();
          selection = form.FList().ItemIndex();
          stem = form.FNLabel().Caption();
          form.ImageWidth().SetText("999");
          PostMessageA(ToolkitFind<TButton>(form, "BtnCancel").Handle(), BM_CLICK, 0, 0);
          ++step;
          return true;
      }
      return true;
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(listed, (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(selection, -1);
    EXPECT_EQ(stem, "Second");
    EXPECT_EQ(form.CurrentFile, fileB.string());
    EXPECT_EQ(ReadStored().ImageWidth, 200) << "Cancel stores nothing";
    WriteBytes(fileA, "left alone");
    WriteBytes(fileB, "written back");
  }
  EXPECT_EQ(ReadBytes(fileB), originalB) << "the newly opened file is written back";
  EXPECT_EQ(std::string(ReadBytes(fileA).data(), 10), "left alone") << "the replaced one is not";

  WriteGraphSet(fileA, Graph("Alpha", Tilting));
  {
    TConfigForm form(nullptr);
    std::string message;
    TDriver driver([&]() -> bool {
      if (!form.Visible()) return false;
      if (HWND box = FindBox("Quorvel Graph Screen Saver")) {
        message = BoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
      }
      if (form.ImageWidth().Text() != "abc") {
        form.ImageWidth().SetText("abc");
        PostMessageA(ToolkitFind<TButton>(form, "BtnOk").Handle(), BM_CLICK, 0, 0);
      }
      return false;
    });
    EXPECT_EQ(form.ShowModal(), mrOk) << "the OK result was set before the conversion failed";
    EXPECT_EQ(message, "'abc' is not a valid integer value");
    EXPECT_EQ(ReadStored().ImageWidth, 200);
  }
}

// "Get New Graph Files" opens the gallery's page beside the module; none lies beside this
// test program, so the click reports the page it looked for.
TEST_F(SaverForms, GetNewGraphFilesLooksForTheGalleryBesideTheModule) {
  TConfigForm form(nullptr);
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, sizeof module);
  try {
    form.SSFilesWebClick(nullptr);
    ADD_FAILURE() << "no error for a missing page";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + GalleryPageOf(module));
  }
}

// The saver window on GDI: recorded under the banner, then floating; a bounce with
// IsReverse runs the cached frames backwards, and what reaches the window is the cached
// frame.  The destructor writes the set back.
TEST_F(SaverForms, SaverWindowReversesTheFramesAtABounce) {
  const fs::path file = folder_ / "Tilting.twk";
  WriteGraphSet(file, Graph("Tilting", Tilting));
  const std::vector<char> original = ReadBytes(file);
  TSaverSettings stored;
  stored.IsReverse = true;
  stored.ImageWidth = 40;
  stored.ImageHeight = 30;
  stored.CurrentFile = file.string();
  Store(stored);
  {
    TSaverForm form(nullptr);
    form.ScrTimer().SetEnabled(false);  // the test ticks itself
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 160, 120);
    form.Show();
    Pump();
    EXPECT_EQ(form.PlayArea(), (TSaverArea{0, 0, 160, 120}));
    TView& view = form.View().View();
    form.ScrTimerTimer(nullptr);
    EXPECT_EQ(form.ScrTimer().Interval(), 50u) << "20 frames per second";
    EXPECT_EQ(view.ImageX, 60);
    EXPECT_EQ(view.ImageY, 45);
    EXPECT_TRUE(form.RecordImage().Visible());
    for (int i = 1; i < 8; ++i) form.ScrTimerTimer(nullptr);
    EXPECT_TRUE(view.Playing());
    EXPECT_FALSE(form.RecordImage().Visible());
    Pump();

    // Against the right edge: the next tick bounces.
    const int dx = form.Player().Speed().DeltaX;
    view.ImageX = dx > 0 ? 160 - 40 - dx + 1 : -dx - 1;
    const int before = SaverSequence().FramePos;
    form.ScrTimerTimer(nullptr);
    EXPECT_EQ(SaverSequence().Direction, -1);
    std::vector<int> shown;
    bool matched = true;
    for (int i = 0; i < 3; ++i) {
      const int x = view.ImageX, y = view.ImageY;
      form.ScrTimerTimer(nullptr);
      shown.push_back(view.CurrentFrame());
      const auto& cached = static_cast<const TGdiBitmap&>(view.CachedFrame(view.CurrentFrame() - 1));
      HDC dc = GetDC(form.Handle());
      for (int py = 0; py < 30; py += 3)
        for (int px = 0; px < 40; px += 3) {
          if (x + px < 0 || x + px >= 160 || y + py < 0 || y + py >= 120) continue;
          matched = matched && GetPixel(dc, x + px, y + py) == cached.Pixel(px, py);
        }
      ReleaseDC(form.Handle(), dc);
    }
    // The bouncing tick took its step forwards; from there the positions run backwards.
    std::vector<int> expected;
    for (int k : {1, 0, -1}) expected.push_back(((before + k) % 8 + 8) % 8 + 1);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(matched) << "the window shows the cached frames";
    WriteBytes(file, "overwritten meanwhile");
    form.Hide();
  }
  EXPECT_EQ(ReadBytes(file), original);
}

// A text that does not compile is told on the saver's own screen, once, and the timer
// stops: a message box would take the key that should end the saver.
TEST_F(SaverForms, SaverWindowTellsASyntaxErrorOnItsScreen) {
  const fs::path file = folder_ / "Broken.twk";
  WriteGraphSet(file, Graph("Broken", "Func3Text = sin(u\n"));
  TSaverSettings stored;
  stored.CurrentFile = file.string();
  Store(stored);
  TSaverForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 160, 120);
  form.Show();
  ASSERT_TRUE(PumpUntil([&] { return form.ReportLabel().Visible(); }));
  EXPECT_EQ(form.ReportLabel().Caption(), "Syntax Error in function definition.  Please fix and try again.");
  EXPECT_FALSE(form.ScrTimer().Enabled());
  EXPECT_FALSE(form.RecordImage().Visible());
  EXPECT_FALSE(FindBox("")) << "no message box";
  form.Hide();
}

}  // namespace
