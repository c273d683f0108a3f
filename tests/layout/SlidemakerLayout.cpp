// The editor's windows held against their layout tables (LayoutWalk.h), created as the
// program creates them at start.
#include <windows.h>

#include "Application.h"
#include "FrmInfo.h"
#include "FrmMain.h"
#include "FrmNuovo.h"
#include "FrmOpenImage.h"
#include "FrmOpenProject.h"
#include "LayoutWalk.h"

int main(int argc, char** argv) {
  Application().Initialize();
  TComponent* created = nullptr;
  Application().CreateForm(ComponentClass<TFrmMain>, &created);
  auto& main = static_cast<TFrmMain&>(*created);
  auto* nuovo = new TFrmNuovo(&Application(), main);
  auto* open = new TFrmOpenProject(&Application(), main);
  auto* picker = new TFrmOpenImage(&Application(), main);
  Application().CreateForm(ComponentClass<TFrmInfo>, &created);
  auto* info = static_cast<TFrmInfo*>(created);
  main.SetDialogs(*nuovo, *open, *picker, *info);
  return LayoutWalkMain(argc, argv, "slidemaker",
                        {
                            {"FrmMain", [&] { return &main; }, {}},
                            {"FrmNuovo", [&] { return nuovo; }, {}},
                            {"FrmOpenProject", [&] { return open; }, {}},
                            {"FrmOpenImage", [&] { return picker; }, {}},
                            {"FrmInfo", [&] { return info; }, {}},
                        });
}
