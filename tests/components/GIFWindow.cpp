// A form whose client area is one stretched, animating TGIFImage: red for 300 ms, then blue
// for 300 ms, for ever.  gif-window.sh watches it change on screenshots.  It ends by itself
// after 60 s (exit status 3), so a harness that cannot end it does not hang.
#include <windows.h>

#include "Application.h"
#include "Form.h"
#include "GIFImage.h"
#include "GIFTestFiles.h"
#include "TimerEx.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application().Initialize();

  TGIFFileSpec file;
  file.Width = 4;
  file.Height = 4;
  file.GlobalTable = {0xFF0000, 0x0000FF};
  file.LoopCount = 0;
  for (uint8_t colour : {0, 1}) {
    TGIFFrameSpec frame;
    frame.Width = 4;
    frame.Height = 4;
    frame.Pixels.assign(16, colour);
    frame.MinCodeSize = 2;
    frame.Control = true;
    frame.Delay = 30;
    file.Frames.push_back(frame);
  }

  TForm form(nullptr);
  form.SetCaption("GIF control probe");
  form.SetBounds(100, 100, 240, 200);
  TGIFImage image(nullptr);
  image.SetParent(&form);
  if (!image.LoadFromBytes(GIFWrite(file))) return 1;
  image.SetStretch(true);
  image.SetAnimate(true);
  form.Show();
  RECT client;
  GetClientRect(form.Handle(), &client);
  image.SetBounds(0, 0, client.right, client.bottom);

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
