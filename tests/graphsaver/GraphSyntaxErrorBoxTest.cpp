// The syntax-error message box as the user sees it: caption, text, an error icon, and closed
// with its OK button.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "GraphSyntaxErrorBox.h"

namespace {

struct TSeenBox {
  std::string caption, text;
  bool icon = false;
};

// Waits for the box on another thread, reads it and presses OK.
TSeenBox WatchAndClose() {
  TSeenBox seen;
  for (int attempt = 0; attempt < 1200; ++attempt) {  // polls for up to a minute
    HWND box = FindWindowA("#32770", "Quorvel Graph");
    if (box) {
      char buffer[256] = {};
      GetWindowTextA(box, buffer, sizeof buffer);
      seen.caption = buffer;
      GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the message's static control
      seen.text = buffer;
      // The icon is a static control of its own with the SS_ICON style.
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        if (std::string(className) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_ICON)) {
          seen.icon = true;
        }
      }
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return seen;
    }
    Sleep(50);
  }
  return seen;
}

TEST(GraphSyntaxErrorBox, ShowsTheMessageWithAnErrorIcon) {
  TSeenBox seen;
  std::thread watcher([&] { seen = WatchAndClose(); });
  ShowGraphSyntaxError(nullptr);
  watcher.join();
  EXPECT_EQ(seen.caption, "Quorvel Graph");
  EXPECT_EQ(seen.text, "Syntax Error in function definition.  Please fix and try again.");
  EXPECT_TRUE(seen.icon);
}

}  // namespace
