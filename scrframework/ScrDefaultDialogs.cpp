#include "ScrDefaultDialogs.h"

#include "DynamicLibrary.h"
#include "ScrDebug.h"

namespace {

using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR provider, HWND parent, DWORD flags,
                                           LPVOID reserved);
using TVerifyScreenSavePwd = BOOL(WINAPI*)(HWND parent);

INT_PTR CALLBACK AboutDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void DefaultChangePasswordDialog(HWND parent) {
  TDynamicLibrary provider("MPR.DLL");
  if (auto change = provider.Entry<TPwdChangePassword>("PwdChangePasswordA")) {
    change("SCRSAVE", parent, 0, nullptr);
  }
}

bool DefaultVerifyPasswordDialog(HWND parent) {
  TDynamicLibrary provider("PASSWORD.CPL");
  if (!provider.Loaded()) {
    ScrDebug(tlMsg, "DefaultVerifyPasswordDialog: unable to load pwd-provider library. Aborting");
    return true;
  }
  auto verify = provider.Entry<TVerifyScreenSavePwd>("VerifyScreenSavePwd");
  if (!verify) {
    ScrDebug(tlMsg, "DefaultVerifyPasswordDialog: could not get verifypw proc address. Aborting");
    return true;
  }
  ScrDebug(tlMsg, "DefaultVerifyPasswordDialog: about to call VerifyScreenSavePwd...");
  bool ok = verify(parent) != FALSE;
  ScrDebug(tlMsg, ok ? "DefaultVerifyPasswordDialog: verifypwd returned TRUE!"
                     : "DefaultVerifyPasswordDialog: verifypwd returned FALSE.");
  return ok;
}

void DefaultAboutDialog(HWND parent) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "SCRABOUT", parent, &AboutDialogProcedure, 0);
}
