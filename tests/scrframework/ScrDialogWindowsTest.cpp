// The configuration dialog base, the general panel and the monitor picture with real
// windows under Wine: values from the registry in the controls, changes by the mouse into the
// settings and back into the registry, the corner menu, the system menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "Label.h"
#include "Layout.h"
#include "MemoryHive.h"
#include "BlackForms.h"
#include "ScrControl.h"
#include "ScrCurrentUserHive.h"
#include "ScrDialog.h"
#include "ScrGeneral.h"
#include "ScrKitWindowsSupport.h"
#include "ScrMonitor.h"
#include "ScrProcess.h"
#include "ScrSettings.h"
#include "UpDown.h"

namespace {

using namespace std::string_literals;

// A saver's configuration dialog with the standard panel, a live preview and OK, which saves
// the settings.
class TGeneralTestDialog : public TScrDialog {
public:
  explicit TGeneralTestDialog(TComponent* owner) : TScrDialog(owner) {
    SetName("GeneralTestDialog");
    SetCaption("General test");
    SetClientWidth(570);
    SetClientHeight(412);
    ToolkitBuildLayout(*this, {
        {"Settings", ComponentClass<TScrSettings>, "", 0, 0, 0, 0, nullptr},
        {"General", ComponentClass<TScrGeneral>, "", 8, 8, 357, 357, nullptr},
        {"Preview", ComponentClass<TScrMonitor>, "", 378, 100, 184, 170, nullptr,
         [](TComponent& c) { static_cast<TScrMonitor&>(c).SetUse(smuPreview); }},
        {"BtnOk", ComponentClass<TButton>, "", 400, 378, 75, 25, "OK",
         [](TComponent& c) { static_cast<TButton&>(c).SetDefault(true); }},
        {"BtnCancel", ComponentClass<TButton>, "", 487, 378, 75, 25, "Cancel",
         [](TComponent& c) { static_cast<TButton&>(c).SetCancel(true); }},
    });
    ToolkitFind<TButton>(*this, "BtnOk").OnClick = [this](TComponent*) {
      Settings()->WriteRegistry();
      Hide();
    };
  }

  template <class T>
  T& Get(const char* name) {
    return ToolkitFind<T>(*this, name);
  }
  TScrMonitor& Corners() { return Get<TScrMonitor>("GenCornersMonitor"); }
};

// Puts a hive in place of the current user's for the settings code, while it lives.
class THiveOverride {
public:
  explicit THiveOverride(TScrHive* hive) { ScrProcess().hive = hive; }
  ~THiveOverride() { ScrProcess().hive = nullptr; }
  THiveOverride(const THiveOverride&) = delete;
  THiveOverride& operator=(const THiveOverride&) = delete;
};

void Store(TScrHive& hive, const std::string& name, const TScrRegistryValue& value) {
  hive.Open(ScrSaversKey, true)->Write(name, value);
}

std::optional<TScrRegistryValue> Stored(TScrHive& hive, const std::string& name) {
  auto key = hive.Open(ScrSaversKey, false);
  TScrRegistryValue value;
  if (!key || !key->Read(name, 64, value)) return std::nullopt;
  return value;
}

bool WindowsNt() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// Watches for the pop-up menus this thread opens: counts them, records which items were
// checked and lets `onOpen` act on the open menu (choose an item).  A message hook sees each
// menu loop begin; a thread timer, which also ticks inside the menu's own loop, acts once the
// menu's window shows.  A menu still open after three seconds is closed.
class TMenuWatcher {
public:
  explicit TMenuWatcher(std::function<void(HMENU)> onOpen) : onOpen_(std::move(onOpen)) {
    active_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId());
    timer_ = SetTimer(nullptr, 0, 30, &Tick);
  }
  ~TMenuWatcher() {
    KillTimer(nullptr, timer_);
    UnhookWindowsHookEx(hook_);
    active_ = nullptr;
  }
  TMenuWatcher(const TMenuWatcher&) = delete;
  TMenuWatcher& operator=(const TMenuWatcher&) = delete;

  int opened = 0;
  std::vector<std::string> checked;  // per opening: the captions of the checked items

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && active_ && message->message == WM_ENTERMENULOOP) {
      ++active_->opened;
      active_->pending_ = true;
      active_->ticksOpen_ = 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static BOOL CALLBACK Visit(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == "#32768") {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }
  static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TMenuWatcher* self = active_;
    if (!self) return;
    HWND menuWindow = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &Visit, reinterpret_cast<LPARAM>(&menuWindow));
    if (!menuWindow) return;
    if (!self->pending_) {
      if (++self->ticksOpen_ > 100) EndMenu();
      return;
    }
    self->pending_ = false;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    std::string marks;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
      char text[64] = "";
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) marks += text;
    }
    self->checked.push_back(marks);
    if (self->onOpen_) self->onOpen_(menu);
  }

  static inline TMenuWatcher* active_ = nullptr;
  std::function<void(HMENU)> onOpen_;
  bool pending_ = false;
  int ticksOpen_ = 0;
  HHOOK hook_;
  UINT_PTR timer_;
};

// Chooses the menu item at `position` with a click on it.
void ChooseMenuItem(HMENU menu, int position) {
  RECT item;
  ASSERT_TRUE(GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item));
  ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

class ScrDialogWindows : public ::testing::Test {
protected:
  void SetUp() override { EnsureSetUp(); }
};

// The base alone: its frame, its icons and the "&About..." item, which opens the about box;
// a controller that disables the item leaves the menu as the system made it.
TEST_F(ScrDialogWindows, FrameIconsAndTheAboutItem) {
  TScrControl control(nullptr);
  TScrDialog dialog(nullptr);
  EXPECT_EQ(dialog.Purpose, smConfig);
  EXPECT_TRUE(dialog.HandlesConfig());
  HWND window = dialog.Handle();
  // The system adds WS_CLIPSIBLINGS to every top-level window.  The base asks for a dialog
  // border, which takes the sizing border and the maximise box off WS_OVERLAPPEDWINDOW; a
  // dialog that wants to be sized gets the whole style.
  const auto style = [&] { return GetWindowLongA(window, GWL_STYLE) & ~(WS_CLIPSIBLINGS | WS_VISIBLE); };
  EXPECT_EQ(dialog.BorderStyle(), bsDialog);
  EXPECT_EQ(style(), LONG{WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX)});
  dialog.SetBorderStyle(bsSizeable);
  EXPECT_EQ(style(), LONG{WS_OVERLAPPEDWINDOW});
  dialog.SetBorderStyle(bsDialog);
  EXPECT_EQ(style(), LONG{WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX)});
  HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(icon, LoadIconA(GetModuleHandleA(nullptr), "SCRKITICON")) << "the program's icon";
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)), icon);

  Pump();  // the delayed-start message fixes the menu once more
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 2);
  EXPECT_EQ(GetMenuItemID(menu, count - 2), ScrAboutSeparatorId);
  EXPECT_EQ(GetMenuItemID(menu, count - 1), ScrAboutMenuId);
  char text[32] = "";
  GetMenuStringA(menu, ScrAboutMenuId, text, sizeof text, MF_BYCOMMAND);
  EXPECT_EQ(text, "&About..."s);
  int abouts = 0;
  for (int i = 0; i < count; ++i) abouts += GetMenuItemID(menu, i) == ScrAboutMenuId;
  EXPECT_EQ(abouts, 1) << "fixed twice, listed once";

  {
    TBoxCatcher catcher;
    TTraceMark mark;
    SendMessageA(window, WM_SYSCOMMAND, ScrAboutMenuId, 0);
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].caption, "About Scrkit");
    EXPECT_EQ(mark.Lines(), std::vector<std::string>{"Perform about dialog"});
  }

  control.DisableAboutMenuItem = true;
  TScrDialog plain(nullptr);
  HMENU plainMenu = GetSystemMenu(plain.Handle(), FALSE);
  Pump();
  for (int i = 0, n = GetMenuItemCount(plainMenu); i < n; ++i) {
    EXPECT_NE(GetMenuItemID(plainMenu, i), ScrAboutMenuId);
    EXPECT_NE(GetMenuItemID(plainMenu, i), ScrAboutSeparatorId);
  }
}

// Values stored before the dialog opens show in its controls, from an in-memory hive and
// from the registry of the current user alike.
TEST_F(ScrDialogWindows, StoredValuesShowInThePanel) {
  ASSERT_TRUE(WindowsNt()) << "Wine reports Windows NT; the wait shows 0 there";
  TScrControl control(nullptr);
  control.AllowActiveConfig = true;
  TMemoryHive memory;
  struct {
    const char* what;
    TScrHive* hive;
  } rows[] = {{"in-memory hive", &memory}, {"current user's registry", &ScrCurrentUserHive()}};
  for (const auto& row : rows) {
    RegDeleteTreeA(HKEY_CURRENT_USER, ScrSaversKey);
    THiveOverride override(row.hive == &memory ? &memory : nullptr);
    Store(*row.hive, "Password Delay", Dword(90));
    Store(*row.hive, "Mouse Threshold Index", Dword(2));
    Store(*row.hive, "Mouse Corners", Sz("YN-\0"s));
    Store(*row.hive, "Mute Sound", Dword(1));
    Store(*row.hive, "Active Config", Dword(0));

    TGeneralTestDialog dialog(nullptr);
    dialog.Handle();
    auto& sensitivity = dialog.Get<TComboBox>("GenCmbSensitivity");
    EXPECT_EQ(sensitivity.Text(), "Low") << row.what;
    EXPECT_EQ(dialog.Get<TComboBox>("GenCmbWait").Count(), 2) << row.what;
    EXPECT_TRUE(dialog.Get<TCheckBox>("GenChkMute").Checked()) << row.what;
    EXPECT_TRUE(dialog.Get<TCheckBox>("GenChkActive").Checked()) << row.what;
    EXPECT_TRUE(dialog.Get<TCheckBox>("GenChkActive").Visible()) << "the controller allows it";
    const TScrCornerMode corners[] = {scmNow, scmNever, scmNormal, scmNormal};
    for (int corner = 0; corner < 4; ++corner) {
      EXPECT_EQ(dialog.Corners().GetCornerState(corner), corners[corner]) << row.what << corner;
    }
    // Windows NT asks for the password itself: the wait shows 0 seconds and cannot change,
    // while the panel keeps the stored delay.
    auto& wait = dialog.Get<TEdit>("GenEdtWait");
    EXPECT_EQ(wait.Text(), "0") << row.what;
    EXPECT_FALSE(IsWindowEnabled(wait.Handle())) << row.what;
    EXPECT_FALSE(IsWindowEnabled(dialog.Get<TUpDown>("GenUpdWait").Handle())) << row.what;
    EXPECT_EQ(dialog.Get<TComboBox>("GenCmbWait").Text(), "seconds") << row.what;
    EXPECT_FALSE(IsWindowEnabled(dialog.Get<TComboBox>("GenCmbWait").Handle())) << row.what;
    EXPECT_EQ(dialog.General()->PasswordDelay(), 90u) << row.what;
    // Without the System Agent the panel says that the corners need it.
    EXPECT_FALSE(dialog.Get<TLabel>("GenTxtCornersOk").Visible()) << row.what;
    EXPECT_TRUE(dialog.Get<TLabel>("GenTxtCornersBad").Visible()) << row.what;
    EXPECT_EQ(dialog.General()->BoundSettings(), dialog.Settings()) << row.what;
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, ScrSaversKey);
}

// A change in the panel goes into the settings, then to the handler the panel had before.
// The controller's policy hides the boxes it forbids.  The sensitivity stays as shown even
// when the stored threshold was not the sensitivity's own, and the wait keeps its delay.
TEST_F(ScrDialogWindows, ChangesGoIntoTheSettingsAndLeaveTheRestAlone) {
  TScrControl control(nullptr);
  control.AllowMute = false;
  TMemoryHive memory;
  THiveOverride override(&memory);
  Store(memory, "Mouse Threshold", Dword(100));  // the start defaults: 100 pixels, "Normal"
  Store(memory, "Mouse Threshold Index", Dword(1));
  Store(memory, "Password Delay", Dword(45));
  TGeneralTestDialog dialog(nullptr);
  std::vector<TComponent*> changes;
  dialog.Get<TScrGeneral>("General").OnChange = [&](TComponent* sender) { changes.push_back(sender); };
  dialog.Handle();
  ASSERT_TRUE(dialog.Settings());
  EXPECT_FALSE(dialog.Get<TCheckBox>("GenChkMute").Visible());
  EXPECT_FALSE(dialog.Get<TCheckBox>("GenChkActive").Visible()) << "not allowed by default";

  dialog.Settings()->SetPasswordDelay(50);  // shown by the settings: no change of the user
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(dialog.General()->PasswordDelay(), 50u);

  dialog.Get<TCheckBox>("GenChkActive").SetChecked(true);
  EXPECT_EQ(changes, std::vector<TComponent*>{dialog.General()});
  EXPECT_TRUE(dialog.Settings()->DisableActiveConfig());
  EXPECT_EQ(dialog.Settings()->MouseThreshold(), 200u);
  EXPECT_EQ(dialog.Settings()->MouseThresholdIndex(), 1u);
  EXPECT_EQ(dialog.Get<TComboBox>("GenCmbSensitivity").Text(), "Normal");
  EXPECT_EQ(dialog.Settings()->PasswordDelay(), 50u) << "the kept delay, not the 0 shown";
}

// Under the mouse, in one dialog: the sensitivity chosen from its list is saved as index and
// pixels.  A click in a corner box opens the menu with the corner's mode checked; "Never"
// paints the box with its mark and is saved.  Without the System Agent the first corner
// change says so, once.  A click beside the boxes opens no menu.  A new dialog shows what was
// saved.
TEST_F(ScrDialogWindows, ChangesUnderTheMouseAreSavedAndShownAgain) {
  TScrControl control(nullptr);
  TMemoryHive memory;
  THiveOverride override(&memory);
  Store(memory, "Mouse Threshold Index", Dword(0));
  Store(memory, "Mouse Corners", Sz("-Y--\0"s));
  {
    TGeneralTestDialog dialog(nullptr);
    dialog.Show();
    auto& list = dialog.Get<TComboBox>("GenCmbSensitivity");
    ASSERT_EQ(list.Text(), "High");
    ClickAt(CentreOf(list.Handle()));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(PumpUntil([&] {
      return GetComboBoxInfo(list.Handle(), &info) && IsWindowVisible(info.hwndList);
    })) << "the list did not open";
    const int itemHeight = static_cast<int>(SendMessageA(list.Handle(), CB_GETITEMHEIGHT, 0, 0));
    RECT normal = {0, itemHeight, 20, 2 * itemHeight};  // the second item of the open list
    ClickAt(CentreOf(info.hwndList, &normal));
    // The list's change notice follows the selection.
    ASSERT_TRUE(PumpUntil([&] { return dialog.Settings()->MouseThresholdIndex() == 1; }));
    EXPECT_EQ(list.Text(), "Normal");

    TScrMonitor& monitor = dialog.Corners();
    HWND window = monitor.Handle();
    int chosen = 0;
    const int choices[] = {2, 0};  // "Never" in the first menu, "Default" in the second
    TMenuWatcher watcher([&](HMENU menu) {
      if (chosen < 2) ChooseMenuItem(menu, choices[chosen++]);
    });
    TBoxCatcher catcher;
    const RECT topLeft = monitor.CornerBox(scTopLeft);
    ClickAt(CentreOf(window, &topLeft));
    ASSERT_TRUE(PumpUntil([&] { return monitor.GetCornerState(scTopLeft) == scmNever; }));
    UpdateWindow(window);
    EXPECT_EQ(PixelOf(window, topLeft.left + 5, topLeft.top + 5), RGB(200, 32, 32)) << "never mark";
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].caption, "Screen saver");
    EXPECT_EQ(catcher.boxes[0].text,
              "You must have the System Agent loaded in order for the mouse hot corners to be "
              "active.");

    const RECT topRight = monitor.CornerBox(scTopRight);
    ClickAt(CentreOf(window, &topRight));
    ASSERT_TRUE(PumpUntil([&] { return monitor.GetCornerState(scTopRight) == scmNormal; }));
    EXPECT_EQ(catcher.boxes.size(), 1u) << "the warning comes once";
    EXPECT_EQ(watcher.checked, (std::vector<std::string>{"Default", "Now"}));

    const RECT between = {92 - 5, 73 - 5, 92 + 5, 73 + 5};  // the middle of the screen
    ClickAt(CentreOf(window, &between));
    // Input is handled in order: once a later click has opened the list, the one between the
    // boxes has been handled too.
    ClickAt(CentreOf(list.Handle()));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(info.hwndList); })) << "the list did not open";
    SendMessageA(list.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(watcher.opened, 2) << "a menu opened outside the corner boxes";
    dialog.Get<TButton>("BtnOk").Click();
  }
  EXPECT_EQ(Stored(memory, "Mouse Threshold Index"), Dword(1));
  EXPECT_EQ(Stored(memory, "Mouse Threshold"), Dword(200));
  EXPECT_EQ(Stored(memory, "Mouse Corners"), Sz("N---\0"s));
  TGeneralTestDialog again(nullptr);
  again.Handle();
  EXPECT_EQ(again.Get<TComboBox>("GenCmbSensitivity").Text(), "Normal");
  EXPECT_EQ(again.Corners().GetCornerState(scTopLeft), scmNever);
}

// The dialog asks the controller for a live preview in its preview monitor when its window
// is made and again when the delayed-start message comes; the second time finds it there.
TEST_F(ScrDialogWindows, TheLivePreviewIsAskedForOnce) {
  TScrControl control(nullptr);
  control.SetModeClass(smSPConfig, ComponentClass<TBlackPreviewForm>);
  control.ExecuteAfterDelay();  // executing; the test's command line has no mode to run
  TMemoryHive memory;
  THiveOverride override(&memory);
  TTraceMark mark;
  TGeneralTestDialog dialog(nullptr);
  dialog.Handle();
  Pump();
  ASSERT_EQ(dialog.PreviewMonitor(), &dialog.Get<TScrMonitor>("Preview"));
  HWND screen = dialog.PreviewMonitor()->PreviewWindow();
  ASSERT_TRUE(screen);
  EXPECT_EQ(ClassOf(screen), "MonitorWindow");
  EXPECT_EQ(TextOf(screen), "MonitorWindow");
  EXPECT_EQ(GetDlgCtrlID(screen), GetDlgCtrlID(dialog.PreviewMonitor()->Handle()));
  EXPECT_EQ(SizeOf(screen).cx, 153);
  EXPECT_EQ(SizeOf(screen).cy, 113);
  HWND proxy = GetWindow(screen, GW_CHILD);
  EXPECT_EQ(ClassOf(proxy), "ProxyChild");
  EXPECT_EQ(GetWindow(proxy, GW_HWNDNEXT), nullptr) << "a second preview";
  TScrForm* preview = dialog.PreviewMonitor()->GetPreview();
  ASSERT_TRUE(dynamic_cast<TBlackPreviewForm*>(preview));
  EXPECT_EQ(preview->RunningMode, smSPConfig);
  EXPECT_EQ(mark.Lines(), (std::vector<std::string>{
                              "Preform config preview", "Config preview created and cached",
                              "Preview is hooked in to proxy; about to show it."}));
  delete preview;  // owned by the application; the controller forgets it
  EXPECT_EQ(ScrProcess().preview, nullptr);
}

// Moved to a monitor of another scale, the monitor pictures take the drawing of that scale:
// the 150 % bitmaps at 144 DPI, the 100 % ones doubled at 192. The corner box is checked at
// its far edges, where a bitmap of the wrong size would leave the frame out.
TEST_F(ScrDialogWindows, MonitorPicturesFollowTheScale) {
  TScrControl control(nullptr);
  TMemoryHive memory;
  THiveOverride override(&memory);
  TGeneralTestDialog dialog(nullptr);
  dialog.Show();
  TScrMonitor& corners = dialog.Corners();
  const struct {
    int dpi, box, frame;  // the box's side and its right and bottom frame's width
    SIZE screen;          // the preview's screen
  } scales[] = {{144, 48, 1, {230, 169}}, {192, 64, 2, {306, 226}}, {96, 32, 1, {153, 113}}};
  for (const auto& scale : scales) {
    RECT suggested;
    GetWindowRect(dialog.Handle(), &suggested);
    SendMessageA(dialog.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(scale.dpi, scale.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    const RECT box = corners.CornerBox(scBottomRight);
    EXPECT_EQ(box.right - box.left, scale.box) << scale.dpi << " DPI";
    EXPECT_EQ(box.bottom - box.top, scale.box) << scale.dpi << " DPI";
    UpdateWindow(corners.Handle());
    EXPECT_EQ(PixelOf(corners.Handle(), box.right - 1, box.bottom - 1), RGB(64, 64, 64))
        << "the box's frame at " << scale.dpi << " DPI";
    EXPECT_EQ(PixelOf(corners.Handle(), box.right - 1 - scale.frame, box.bottom - 1 - scale.frame),
              RGB(192, 192, 192))
        << "inside the frame at " << scale.dpi << " DPI";
    HWND screen = dialog.Get<TScrMonitor>("Preview").PreviewWindow();
    ASSERT_TRUE(screen);
    EXPECT_EQ(SizeOf(screen).cx, scale.screen.cx) << scale.dpi << " DPI";
    EXPECT_EQ(SizeOf(screen).cy, scale.screen.cy) << scale.dpi << " DPI";
  }
}

// Not run by the suite: shown for the eye and for general-dialog.sh, which takes screenshots
// and clicks a corner box with xdotool.  Writes the screen position of the top-left corner
// box to "shown.txt" in the current folder and closes once "done.txt" appears there.
TEST(ScrDialogShown, DISABLED_GeneralDialogOnScreen) {
  EnsureSetUp();
  TScrControl control(nullptr);
  control.AllowMute = true;
  control.AllowActiveConfig = true;
  control.ExecuteAfterDelay();
  TMemoryHive memory;
  THiveOverride override(&memory);
  Store(memory, "Mouse Corners", Sz("-YN-\0"s));
  Store(memory, "Mouse Threshold Index", Dword(1));
  TGeneralTestDialog dialog(nullptr);
  dialog.Show();
  RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpPosted();
  const RECT topLeft = dialog.Corners().CornerBox(scTopLeft);
  const POINT centre = CentreOf(dialog.Corners().Handle(), &topLeft);
  RECT frame;
  GetWindowRect(dialog.Handle(), &frame);
  std::ofstream("shown.txt") << "corner " << centre.x << " " << centre.y << "\n"
                             << "dialog " << frame.left << " " << frame.top << " "
                             << frame.right - frame.left << " " << frame.bottom - frame.top << "\n";
  EXPECT_TRUE(PumpUntil([] { return std::filesystem::exists("done.txt"); }, 600000));
}

}  // namespace
