// A TGradientForm with its default colours, for gradient-window.sh.  It writes the screen
// positions of three title-bar pixels and the colours the gradient should give them to the
// file named on its command line, one "X Y R G B" line each, and into that name + ".dwm"
// whether the desktop compositor was asked to leave the frame to the form, then waits; it ends by itself
// after 60 s (exit status 3), so a harness that cannot end it does not hang.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Application.h"
#include "GradForm.h"
#include "GradientTable.h"
#include "TimerEx.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  Application().Initialize();
  TGradientForm form(nullptr);
  form.SetCaption("G");
  form.SetBounds(100, 100, 400, 200);
  // The same ends in both states, so the check holds whether or not the window is active.
  form.SetGradientInactiveStopColor(form.GradientStopColor());
  form.Show();

  RECT window;
  GetWindowRect(form.Handle(), &window);
  const RECT caption = form.CaptionRect();
  const int width = caption.right - caption.left;
  const std::vector<TGFColor> table =
      GFColorTable(form.GradientStartColor(), form.GradientStopColor(), form.GradientColors());
  FILE* samples = std::fopen(commandLine, "wb");
  if (!samples) return 1;
  // Below the icon on the left, then the middle and three quarters of the bar; the short
  // title and the buttons on the right stay clear of them.
  for (const int x : {0, width / 2, width * 3 / 4}) {
    const TGFColor colour = table[size_t(x) * (table.size() - 1) / size_t(width)];
    std::fprintf(samples, "%ld %ld %u %u %u\n", window.left + caption.left + x,
                 window.top + caption.bottom - 1, colour & 0xFF, colour >> 8 & 0xFF,
                 colour >> 16 & 0xFF);
  }
  std::fclose(samples);
  // Whether the compositor was asked to leave the frame to the form (Wine has none to see).
  if (FILE* dwm = std::fopen((std::string(commandLine) + ".dwm").c_str(), "wb")) {
    std::fprintf(dwm, "%s\n", form.CompositorFrameDisabled() ? "frame left to the form" : "not asked");
    std::fclose(dwm);
  }

  TTimerEx giveUp(nullptr);
  giveUp.SetInterval(60000);
  giveUp.SetOnTimer([](TComponent*) { PostQuitMessage(3); });
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return int(message.wParam);
}
