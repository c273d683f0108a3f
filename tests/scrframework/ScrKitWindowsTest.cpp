// The framework's Win32 layer in one process: proxy windows, the controller's sources and
// placements, the placeholder preview, the default dialogs with providers of our own, the
// accessors and the message boxes, checked through real windows under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Abort.h"
#include "Application.h"
#include "BlackForms.h"
#include "Proxy.h"
#include "ScrCommandLine.h"
#include "ScrControl.h"
#include "ScrCurrentUserHive.h"
#include "ScrDebug.h"
#include "ScrKitWindowsSupport.h"
#include "ScrProcess.h"
#include "ScrRegistry.h"
#include "ScrSettings.h"

namespace {

class ScrKitWindows : public ::testing::Test {
protected:
  void SetUp() override { EnsureSetUp(); }
};

TEST_F(ScrKitWindows, ProxyReportsOnlyTheHostsDestruction) {
  THostWindow host, other;
  TProxy proxy(nullptr);
  int reports = 0;
  HWND reportedChild = nullptr;
  proxy.OnPxDestroy = [&](TProxy* owner, HWND hwnd, UINT msg, WPARAM, LPARAM) {
    EXPECT_EQ(owner, &proxy);
    EXPECT_EQ(msg, UINT{WM_DESTROY});
    reportedChild = hwnd;
    ++reports;
  };

  proxy.ChangeParentHwnd(host.Area());
  HWND child = proxy.ChildHwnd();
  ASSERT_TRUE(child);
  EXPECT_EQ(ClassOf(child), "ProxyChild");
  EXPECT_EQ(TextOf(child), "Proxy");
  EXPECT_EQ(GetDlgCtrlID(child), 100);
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(SizeOf(child).cx, 152);
  EXPECT_EQ(SizeOf(child).cy, 112);
  EXPECT_EQ(proxy.GetParentHwnd(), host.Area());

  proxy.ChangeParentHwnd(other.Area());  // the old child goes unreported
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(reports, 0);
  EXPECT_EQ(proxy.GetParentHwnd(), other.Area());

  child = proxy.ChildHwnd();
  other.Destroy();
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(reportedChild, child);
  EXPECT_EQ(proxy.GetParentHwnd(), nullptr);

  proxy.ChangeParentHwnd(reinterpret_cast<HWND>(0x7FFFFFF0));  // no such window
  EXPECT_EQ(proxy.ChildHwnd(), nullptr);
  EXPECT_EQ(proxy.GetParentHwnd(), nullptr);
  EXPECT_EQ(reports, 1);
}

TEST_F(ScrKitWindows, PreviewerChildIsFoundOrReported) {
  // A window of class "Scrprev" with one child stands in for the previewer program.
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "Scrprev";
  RegisterClassA(&windowClass);
  HWND frame = CreateWindowExA(0, "Scrprev", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                               nullptr, nullptr, windowClass.hInstance, nullptr);
  {
    TBoxCatcher catcher;
    EXPECT_EQ(CheckForScrprev(), nullptr);
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].caption, "Error");
    EXPECT_EQ(catcher.boxes[0].text, "Could not find Scrprev child");
  }
  HWND child = CreateWindowExA(0, "Scrprev", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, frame,
                               nullptr, windowClass.hInstance, nullptr);
  EXPECT_EQ(CheckForScrprev(), child);
  DestroyWindow(frame);
}

TEST_F(ScrKitWindows, AccessorsLogAndAbortUntilDefined) {
  ASSERT_EQ(ScrProcess().control, nullptr);
  TTraceMark mark;
  EXPECT_THROW(ScrControl(), EAbort);
  EXPECT_THROW(ScrMode(), EAbort);  // the test program's command line has no switch
  EXPECT_THROW(ScrPreview(), EAbort);
  EXPECT_THROW(ScrFull(), EAbort);
  EXPECT_THROW(ScrConfig(), EAbort);
  EXPECT_EQ(mark.Lines(), (std::vector<std::string>{
                              "Access to ScrControl; but it hasn't yet been defined.",
                              "Access to ScrMode; but it hasn't yet been defined!",
                              "Access to ScrPreview; but it is not defined!",
                              "Access to ScrFull; but it is not defined!",
                              "Access to ScrConfig; but it is not defined!",
                          }));
}

TEST_F(ScrKitWindows, ExceptionsStopAtTheWindowProcedure) {
  class TThrowingForm : public TForm {
  public:
    using TForm::TForm;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_APP + 1) throw std::runtime_error("'x' is not a valid integer value");
      if (message == WM_APP + 2) throw EAbort();
      return TForm::WndProc(message, wParam, lParam);
    }
  };
  TThrowingForm form(nullptr);
  TBoxCatcher catcher;
  EXPECT_EQ(SendMessageA(form.Handle(), WM_APP + 1, 0, 0), 0);
  EXPECT_EQ(SendMessageA(form.Handle(), WM_APP + 2, 0, 0), 0);
  ASSERT_EQ(catcher.boxes.size(), 1u);  // the silent abort shows nothing
  EXPECT_EQ(catcher.boxes[0].caption, "ScrKit tests");
  EXPECT_EQ(catcher.boxes[0].text, "'x' is not a valid integer value");
}

TEST_F(ScrKitWindows, SecondControllerIsReportedAndTakesOver) {
  TScrControl first(nullptr);
  EXPECT_EQ(ScrControl(), &first);
  {
    TBoxCatcher catcher;
    TScrControl second(nullptr);
    EXPECT_EQ(ScrControl(), &second);
    ASSERT_EQ(catcher.boxes.size(), 2u);
    EXPECT_EQ(catcher.boxes[0].caption, "Program error");
    EXPECT_EQ(catcher.boxes[0].text, "Duplicate ScrControl objects found");
    EXPECT_EQ(catcher.boxes[1].caption, "err");
    EXPECT_EQ(catcher.boxes[1].text, "This is  on ; other is  on ");  // names come later
  }
  EXPECT_EQ(ScrProcess().control, nullptr) << "a destroyed controller must not stay current";
}

TEST_F(ScrKitWindows, TaskbarStyleIsReplacedExactly) {
  SetWindowLongPtrA(Application().Handle(), GWL_EXSTYLE, WS_EX_APPWINDOW | WS_EX_TOPMOST);
  StopAppWindowFromAppearingOnTaskbar();
  // The system adds WS_EX_WINDOWEDGE to any captioned window by itself.
  EXPECT_EQ(GetWindowLongPtrA(Application().Handle(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE,
            WS_EX_TOOLWINDOW);
}

// The sources of one role, tried in the order cache, event, class; the first that yields
// an object wins, and a cached form in use is passed over.
TEST_F(ScrKitWindows, PerformInOrderTakesTheFirstSourceThatYields) {
  TScrControl control(nullptr);
  TBlackPreviewForm cached(nullptr);
  TComponent* fromEvent = nullptr;
  TScrCreatorEvent event = [&](TComponent* owner, TComponent*& newObj) {
    EXPECT_EQ(owner, &Application());
    newObj = fromEvent = new TBlackPreviewForm(owner);
  };
  TScrCreatorEvent emptyEvent = [](TComponent*, TComponent*&) {};
  TComponentClass cls = ComponentClass<TBlackPreviewForm>;

  struct TRow {
    const char* name;
    TComponent* cached;
    bool cachedInUse;
    const TScrCreatorEvent* event;
    TComponentClass cls;
    bool ok;
    TExecutionStrategy how;
  };
  const TRow rows[] = {
      {"cache first", &cached, false, &event, cls, true, esCache},
      {"cache in use", &cached, true, &event, cls, true, esEvent},
      {"event before class", nullptr, false, &event, cls, true, esEvent},
      {"empty event falls to class", nullptr, false, &emptyEvent, cls, true, esClass},
      {"nothing at all", nullptr, false, &emptyEvent, nullptr, false, esCache},
  };
  for (const TRow& row : rows) {
    cached.InUse = row.cachedInUse;
    TComponent* obj = nullptr;
    TExecutionStrategy how = esCache;
    EXPECT_EQ(control.PerformInOrder(obj, row.cached, *row.event, row.cls, how), row.ok) << row.name;
    EXPECT_EQ(how, row.how) << row.name;
    if (row.how == esCache && row.ok) {
      EXPECT_EQ(obj, &cached) << row.name;
    } else if (row.how == esEvent) {
      EXPECT_EQ(obj, fromEvent) << row.name;
    } else if (row.how == esClass) {
      EXPECT_TRUE(dynamic_cast<TBlackPreviewForm*>(obj)) << row.name;
    }
    if (obj != &cached) delete obj;
  }
  TComponent* taken = &cached;
  TExecutionStrategy how = esClass;
  EXPECT_FALSE(control.PerformInOrder(taken, nullptr, event, cls, how));
  EXPECT_EQ(taken, &cached);
  EXPECT_EQ(how, esClass);
}

TEST_F(ScrKitWindows, PreviewWithoutFormsShowsThePlaceholder) {
  TScrControl control(nullptr);
  THostWindow host;
  TTraceMark mark;
  control.PerformPreview(host.Area(), true);
  HWND blurb = GetWindow(host.Area(), GW_CHILD);
  ASSERT_TRUE(blurb);
  EXPECT_EQ(ClassOf(blurb), "ScrkitBlurb");
  EXPECT_EQ(TextOf(blurb), "Blurb");
  EXPECT_TRUE(IsWindowVisible(blurb));
  EXPECT_EQ(SizeOf(blurb).cx, 152);
  EXPECT_EQ(SizeOf(blurb).cy, 112);
  UpdateWindow(blurb);
  HDC dc = GetDC(blurb);
  EXPECT_EQ(GetPixel(dc, 4, 50), RGB(64, 64, 64)) << "the frame drawn into SCRBLURB";
  EXPECT_EQ(GetPixel(dc, 30, 30), RGB(0, 0, 0));
  ReleaseDC(blurb, dc);
  EXPECT_EQ(mark.Lines(), (std::vector<std::string>{"Perform main preview", "Given preview a dummy."}));
}

TEST_F(ScrKitWindows, ConfigPreviewIsTakenBackAndItsProxyReused) {
  TScrControl control(nullptr);
  control.SetModeClass(smSPreview, ComponentClass<TBlackPreviewForm>);
  TTraceMark mark;
  auto proxies = [&] {
    auto owned = control.Components();
    return std::count_if(owned.begin(), owned.end(),
                         [](TComponent* c) { return dynamic_cast<TProxy*>(c) != nullptr; });
  };
  {
    THostWindow monitor;
    control.PerformPreview(monitor.Area(), false);
    auto* form = dynamic_cast<TScrForm*>(control.CachedForm(smSPConfig));
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->InUse);
    EXPECT_EQ(form->RunningMode, smSPConfig);
    HWND proxyChild = GetWindow(monitor.Area(), GW_CHILD);
    EXPECT_EQ(ClassOf(proxyChild), "ProxyChild");
    EXPECT_EQ(GetParent(form->Handle()), proxyChild);
    EXPECT_EQ(SizeOf(form->Handle()).cx, 152);
    EXPECT_EQ(SizeOf(form->Handle()).cy, 112);
    EXPECT_EQ(ScrPreview(), form);
    monitor.Destroy();
    EXPECT_FALSE(form->InUse);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(ScrProcess().preview, nullptr);
  }
  THostWindow again;
  control.PerformPreview(again.Area(), false);
  EXPECT_EQ(proxies(), 1) << "the idle proxy serves the second preview";
  EXPECT_EQ(mark.Lines(), (std::vector<std::string>{
                              "Preform config preview", "Config preview created and cached",
                              "Preview is hooked in to proxy; about to show it.",
                              "Preform config preview", "Config preview created",
                              "Preview is hooked in to proxy; about to show it."}));
  EXPECT_FALSE(Application().Terminated());
}

TEST_F(ScrKitWindows, ConfigurationWithoutDialogSaysSo) {
  TScrControl control(nullptr);
  TBoxCatcher catcher;
  TTraceMark mark;
  control.PerformConfig(nullptr, true, -1, -1);
  ASSERT_EQ(catcher.boxes.size(), 1u);
  EXPECT_EQ(catcher.boxes[0].caption, "Screen saver");
  EXPECT_EQ(catcher.boxes[0].text, "This screen saver has no settings to configure");
  EXPECT_EQ(mark.Lines(), std::vector<std::string>{"Perform Config (active)"});
  EXPECT_FALSE(Application().Terminated()) << "active configuration keeps the saver running";
}

TEST_F(ScrKitWindows, ActiveConfigurationReopensWhereItWasLeft) {
  TScrControl control(nullptr);
  control.SetModeClass(smConfig, ComponentClass<TSettingsDialog>);
  THostWindow saver;
  std::vector<POINT> shownAt;
  bool moveFirst = true;
  TBoxCatcher catcher([&](HWND window) {
    if (TextOf(window) != "Plotvane Settings" || !IsWindowEnabled(window)) return;
    RECT r;
    GetWindowRect(window, &r);
    shownAt.push_back({r.left, r.top});
    EXPECT_EQ(GetWindow(window, GW_OWNER), saver.Frame());
    EXPECT_FALSE(IsWindowEnabled(saver.Frame())) << "the saver waits for the dialog";
    if (moveFirst) SetWindowPos(window, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    moveFirst = false;
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  control.PerformConfig(saver.Frame(), true, -1, -1);
  control.PerformConfig(saver.Frame(), true, -1, -1);
  ASSERT_EQ(shownAt.size(), 2u);
  EXPECT_EQ(shownAt[1].x, 123);
  EXPECT_EQ(shownAt[1].y, 77);
  EXPECT_TRUE(IsWindowEnabled(saver.Frame()));
}

TEST_F(ScrKitWindows, PasswordChangeWithoutPasswordSaysSo) {
  TScrControl control(nullptr);
  control.RequirePassword = rpNever;
  TBoxCatcher catcher;
  TTraceMark mark;
  control.PerformChangePassword(nullptr);
  ASSERT_EQ(catcher.boxes.size(), 1u);
  EXPECT_EQ(catcher.boxes[0].caption, "Screen saver");
  EXPECT_EQ(catcher.boxes[0].text, "This screen saver does not use a password");
  EXPECT_EQ(mark.Lines(), std::vector<std::string>{"Perform Change Password"});
}

TEST_F(ScrKitWindows, DefaultAboutBoxComesFromTheResources) {
  TScrControl control(nullptr);
  TBoxCatcher catcher;
  TTraceMark mark;
  control.PerformAbout(nullptr);
  ASSERT_EQ(catcher.boxes.size(), 1u);
  EXPECT_EQ(catcher.boxes[0].caption, "About Scrkit");
  EXPECT_EQ(catcher.okButtonIds, std::vector<int>{IDOK});
  EXPECT_EQ(mark.Lines(), std::vector<std::string>{"Perform about dialog"});
}

// Rows: the folder the provider is loaded from (none: no provider at all), the parent's
// title (our provider accepts "accept"), the answer and the trace after "Perform verify
// password".
TEST_F(ScrKitWindows, VerificationUsesTheProviderOrLetsTheSaverClose) {
  const struct {
    const char* folder;
    const char* title;
    bool answer;
    std::vector<std::string> trace;
    bool called;
  } rows[] = {
      {nullptr, "reject", true,
       {"DefaultVerifyPasswordDialog: unable to load pwd-provider library. Aborting"}, false},
      {"empty", "reject", true,
       {"DefaultVerifyPasswordDialog: could not get verifypw proc address. Aborting"}, false},
      {"password", "accept", true,
       {"DefaultVerifyPasswordDialog: about to call VerifyScreenSavePwd...",
        "DefaultVerifyPasswordDialog: verifypwd returned TRUE!"}, true},
      {"password", "reject", false,
       {"DefaultVerifyPasswordDialog: about to call VerifyScreenSavePwd...",
        "DefaultVerifyPasswordDialog: verifypwd returned FALSE."}, true},
  };
  TScrControl control(nullptr);
  std::filesystem::path calls = std::filesystem::current_path() / "provider-calls.txt";
  for (const auto& row : rows) {
    std::filesystem::remove(calls);
    std::string folder = row.folder ? (ExeFolder() / "providers" / row.folder).string() : "";
    SetDllDirectoryA(row.folder ? folder.c_str() : nullptr);
    THostWindow parent(row.title);
    TTraceMark mark;
    EXPECT_EQ(control.PerformVerifyPassword(parent.Frame()), row.answer) << row.title;
    std::vector<std::string> expected{"Perform verify password"};
    expected.insert(expected.end(), row.trace.begin(), row.trace.end());
    EXPECT_EQ(mark.Lines(), expected);
    std::ifstream recorded(calls);
    std::string line;
    std::getline(recorded, line);
    EXPECT_EQ(line, row.called ? std::string("VerifyScreenSavePwd ") + row.title : "");
  }
  SetDllDirectoryA(nullptr);
  std::filesystem::remove(calls);
}

// The full-screen form closes only through its own rules, and then only after the password
// when the controller requires one; the provider accepts for a window titled "accept".
TEST_F(ScrKitWindows, FullScreenFormClosesThroughItsRulesAndThePassword) {
  const struct {
    TRequirePassword policy;
    const char* title;
    bool closes;
    std::vector<std::string> trace;
  } rows[] = {
      {rpNormal, "reject", true,  // Windows NT checks the password itself
       {"CloseQuery", "Close-query doesn't require password: so, it's fine."}},
      {rpAlways, "reject", false,
       {"CloseQuery", "Perform verify password",
        "DefaultVerifyPasswordDialog: about to call VerifyScreenSavePwd...",
        "DefaultVerifyPasswordDialog: verifypwd returned FALSE.",
        "Close-query checked passwords and it wasn't okay. So, cancel."}},
      {rpAlways, "accept", true,
       {"CloseQuery", "Perform verify password",
        "DefaultVerifyPasswordDialog: about to call VerifyScreenSavePwd...",
        "DefaultVerifyPasswordDialog: verifypwd returned TRUE!",
        "Close-query checked password, and it was okay."}},
  };
  TScrControl control(nullptr);
  SetDllDirectoryA((ExeFolder() / "providers" / "password").string().c_str());
  for (const auto& row : rows) {
    control.RequirePassword = row.policy;
    TBlackSaverForm form(nullptr);
    form.RunningMode = smSFull;
    form.SetCaption(row.title);
    form.SetBounds(0, 0, 200, 100);
    form.Show();
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible()) << "a WM_CLOSE from outside closed the saver";
    EXPECT_EQ(reinterpret_cast<TScrForm*>(SendMessageA(form.Handle(), ScrMessage, ScrQueryForm, 0)),
              &form);
    TTraceMark mark;
    form.Close();
    EXPECT_EQ(form.Visible(), !row.closes) << row.title << " " << row.policy;
    EXPECT_EQ(mark.Lines(), row.trace) << row.title << " " << row.policy;
  }
  SetDllDirectoryA(nullptr);
  std::filesystem::remove(std::filesystem::current_path() / "provider-calls.txt");
}

// A saver form that records the active configurations it would open and its action hook.
class TRecordingSaver : public TBlackSaverForm {
public:
  using TBlackSaverForm::TBlackSaverForm;
  int configurations = 0;
  std::vector<UINT> hooked;
  void DoActiveConfigDialog() override { ++configurations; }
  void ScrAction(UINT message) override { hooked.push_back(message); }
};

// With active configuration enabled by a settings change, Shift and the right button open
// it after the password; a refused password keeps the saver as it was; disabled again, Shift
// closes the saver.
TEST_F(ScrKitWindows, ActiveConfigurationFromKeysAndTheRightButton) {
  TScrControl control(nullptr);
  control.AllowActiveConfig = true;
  control.RequirePassword = rpAlways;
  SetDllDirectoryA((ExeFolder() / "providers" / "password").string().c_str());
  TRecordingSaver form(nullptr);
  form.RunningMode = smSFull;
  form.SetCaption("accept");
  form.SetBounds(0, 0, 200, 100);
  form.Show();
  auto* settings = new TScrSettings(&form);  // owned by the form
  settings->SetDisableActiveConfig(false);
  form.NotifyChange(settings, 1, nullptr);
  ASSERT_TRUE(form.ActiveConfigEnabled());
  const std::vector<std::string> accepted = {
      "Perform verify password", "DefaultVerifyPasswordDialog: about to call VerifyScreenSavePwd...",
      "DefaultVerifyPasswordDialog: verifypwd returned TRUE!"};

  form.hooked.clear();  // the activation of Show
  TTraceMark shift;
  SendMessageA(form.Handle(), WM_KEYDOWN, VK_SHIFT, 0);
  std::vector<std::string> expected = {"Full control key down: active config...",
                                       "Acting upon saActiveConfig"};
  expected.insert(expected.end(), accepted.begin(), accepted.end());
  EXPECT_EQ(shift.Lines(), expected);
  EXPECT_EQ(form.configurations, 1);
  EXPECT_EQ(form.hooked, std::vector<UINT>{WM_KEYDOWN});

  SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
  EXPECT_EQ(form.configurations, 2);

  form.SetCaption("reject");
  SendMessageA(form.Handle(), WM_KEYDOWN, VK_CONTROL, 0);
  EXPECT_EQ(form.configurations, 2);
  EXPECT_TRUE(form.Visible());

  settings->SetDisableActiveConfig(true);
  form.NotifyChange(settings, 1, nullptr);
  control.RequirePassword = rpNever;
  TTraceMark closing;
  SendMessageA(form.Handle(), WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(closing.Lines(),
            (std::vector<std::string>{"Full control key down: closing...", "Acting upon saClose",
                                      "CloseQuery",
                                      "Close-query doesn't require password: so, it's fine."}));
  SetDllDirectoryA(nullptr);
  std::filesystem::remove(std::filesystem::current_path() / "provider-calls.txt");
}

// The full screen hides the default cursor, except while a dialog is open over it; a form
// with a cursor of its own keeps it; a preview never hides it.
TEST_F(ScrKitWindows, FullScreenHidesTheDefaultCursorOnly) {
  TScrControl control(nullptr);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const struct {
    TScrMode mode;
    TCursor cursor;
    bool dialog;
    HCURSOR shown;
  } rows[] = {
      {smSFull, crDefault, false, nullptr},
      {smSFull, crDefault, true, arrow},  // the class cursor, for the dialog
      {smSFull, crArrow, false, arrow},
      {smSPMain, crDefault, false, arrow},
  };
  for (const auto& row : rows) {
    TScrForm form(nullptr);
    form.RunningMode = row.mode;
    form.SetCursor(row.cursor);
    if (row.dialog) form.ScrBeginDialog();
    ::SetCursor(nullptr);
    if (row.shown == nullptr) ::SetCursor(arrow);
    SendMessageA(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), row.shown) << row.mode << " " << row.cursor << " " << row.dialog;
    if (row.dialog) form.ScrEndDialog();
  }
}

// The typed accessor on the real registry, read back with the registry's own calls.
TEST_F(ScrKitWindows, TypedRegistryValuesAsTheRegistryHoldsThem) {
  const char* path = "Software\\Quorvel\\ScrKitTest";
  RegDeleteTreeA(HKEY_CURRENT_USER, path);
  {
    TScrRegistry reg(ScrCurrentUserHive(), path);
    reg.ScrWriteInteger("int", -2);
    reg.ScrWriteString("str", "C:\\Graphs");
    reg.ScrWriteFloat("float", 1.0);
    EXPECT_EQ(reg.ScrReadBool("missing", true), true);
  }
  const struct {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
  } rows[] = {
      {"int", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"str", REG_SZ, {'C', ':', '\\', 'G', 'r', 'a', 'p', 'h', 's', 0}},
      {"float", REG_BINARY, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {"missing", REG_DWORD, {1, 0, 0, 0}},  // the default, filled in by the read
  };
  for (const auto& row : rows) {
    DWORD type = 0;
    std::vector<BYTE> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, path, row.name, RRF_RT_ANY, &type, data.data(), &size),
              ERROR_SUCCESS) << row.name;
    data.resize(size);
    EXPECT_EQ(type, row.type) << row.name;
    EXPECT_EQ(data, row.data) << row.name;
  }
  // A binary value too large for the caller's buffer is replaced, never copied.
  const BYTE big[16] = {};
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegSetValueExA(key, "bin", 0, REG_BINARY, big, sizeof big);
  RegCloseKey(key);
  TScrRegistry reg(ScrCurrentUserHive(), path);
  BYTE buffer[5] = {0, 0, 0, 0, 0xEE};
  const BYTE defaults[4] = {7, 7, 7, 7};
  EXPECT_EQ(reg.ScrReadBinaryData("bin", buffer, 4, defaults), 4u);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 5), (std::vector<BYTE>{7, 7, 7, 7, 0xEE}));
  RegDeleteTreeA(HKEY_CURRENT_USER, path);
}

// A program that forbids muting and active configuration runs muted without it and never
// writes those two values; without the System Agent a write still succeeds.
TEST_F(ScrKitWindows, SettingsOfAForbiddingControllerLeaveTheirValuesAlone) {
  const char* path = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr), ERROR_SUCCESS);
  const DWORD zero = 0, one = 1, delay = 45;
  RegSetValueExA(key, "Mute Sound", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), 4);
  RegSetValueExA(key, "Active Config", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
  RegSetValueExA(key, "Password Delay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&delay), 4);
  TScrControl control(nullptr);
  control.AllowMute = false;
  control.AllowActiveConfig = false;
  TScrSettings settings(nullptr);
  EXPECT_TRUE(settings.Mute());
  EXPECT_TRUE(settings.DisableActiveConfig());
  EXPECT_EQ(settings.PasswordDelay(), 45u);
  EXPECT_FALSE(settings.SageOk());
  settings.SetPasswordDelay(60);
  settings.WriteRegistry();
  auto stored = [&](const char* name) {
    DWORD value = 0, size = 4;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
  };
  EXPECT_EQ(stored("Mute Sound"), 0u);
  EXPECT_EQ(stored("Active Config"), 1u);
  EXPECT_EQ(stored("Password Delay"), 60u);
  RegCloseKey(key);
}

// Last: it ends the application's loop.  A preview form hosted as the control panel hosts
// one, in this process so that its pixels can be read.
TEST_F(ScrKitWindows, MainPreviewFillsItsHostAndEndsWithIt) {
  TScrControl control(nullptr);
  control.SetModeClass(smSPreview, ComponentClass<TBlackPreviewForm>);
  THostWindow host;
  TTraceMark mark;
  control.PerformPreview(host.Area(), true);
  auto* form = dynamic_cast<TBlackPreviewForm*>(control.CachedForm(smSPMain));
  ASSERT_TRUE(form);
  HWND proxyChild = GetWindow(host.Area(), GW_CHILD);
  EXPECT_EQ(ClassOf(proxyChild), "ProxyChild");
  EXPECT_EQ(GetParent(form->Handle()), proxyChild);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(SizeOf(form->Handle()).cx, 152);
  EXPECT_EQ(SizeOf(form->Handle()).cy, 112);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(host.Frame());
  POINT inside = {30, 30};  // inside the preview area, which starts at (10, 10)
  EXPECT_EQ(GetPixel(dc, inside.x, inside.y), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 200, 150), RGB(255, 255, 255)) << "the host outside the preview";
  ReleaseDC(host.Frame(), dc);

  host.Destroy();
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(mark.Lines(), (std::vector<std::string>{
                              "Perform main preview", "Main preview created and cached",
                              "Preview is hooked in to proxy; about to show it.",
                              "Main preview proxy has signalled a Destroy: terminating..."}));
  Pump();
}

}  // namespace
