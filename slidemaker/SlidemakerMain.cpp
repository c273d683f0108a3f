// slidemaker.exe: the slideshow screen-saver editor.
#include <windows.h>

#include "Application.h"
#include "FrmInfo.h"
#include "FrmMain.h"
#include "FrmNuovo.h"
#include "FrmOpenImage.h"
#include "FrmOpenProject.h"
#include "ProgramInfo.h"
#include "ProjectStore.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TApplication& application = Application();
  application.Initialize();
  application.SetTitle(ProgramTitle);
  // The main window first: it fixes the program folder and makes the Projects folder.  The
  // other windows are created hidden, in this order, each owned by the application.
  TComponent* created = nullptr;
  application.CreateForm(ComponentClass<TFrmMain>, &created);
  auto& main = static_cast<TFrmMain&>(*created);
  auto* nuovo = new TFrmNuovo(&application, main);
  auto* open = new TFrmOpenProject(&application, main);
  auto* picker = new TFrmOpenImage(&application, main);
  application.CreateForm(ComponentClass<TFrmInfo>, &created);
  main.SetDialogs(*nuovo, *open, *picker, static_cast<TFrmInfo&>(*created));
  // A program folder its user cannot write: said once, then the editor goes on.
  if (!main.ProjectsFolderReady())
    application.MessageBox(ProjectsFolderUnwritableText(main.Store()).c_str(), ProjectExistsCaption,
                           MB_OK | MB_ICONWARNING);
  application.Run();
  return 0;
}
