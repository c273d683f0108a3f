#include "Application.h"

#include <exception>

#include "Abort.h"
#include "Form.h"

namespace {

constexpr char ApplicationWindowClass[] = "ToolkitApplication";

}  // namespace

TApplication& Application() {
  // Process-wide by design: every form, message box and the loop belong to this one object.
  static TApplication application;
  return application;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  DestroyComponents();
  if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize() {
  if (handle_) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = ApplicationWindowClass;
  RegisterClassA(&windowClass);
  handle_ = CreateWindowExA(0, ApplicationWindowClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
}

void TApplication::SetTitle(std::string title) {
  title_ = std::move(title);
  if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void TApplication::CreateForm(TComponentClass formClass, TComponent** reference) {
  TComponent* created = formClass(this);
  *reference = created;
  if (auto* form = dynamic_cast<TForm*>(created); form && !mainForm_) mainForm_ = form;
}

void TApplication::Run() {
  if (!mainForm_) return;
  if (ShowMainForm) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  MSG message;
  if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
    terminated_ = true;
    return;
  }
  if (TForm::PreTranslateMessage(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& error) {
    MessageBox(error.what(), title_.c_str(), MB_OK | MB_ICONSTOP);
  } catch (...) {
    MessageBox("An unknown error occurred", title_.c_str(), MB_OK | MB_ICONSTOP);
  }
}

int TApplication::MessageBox(const char* text, const char* caption, UINT flags) {
  HWND owner = GetActiveWindow();
  return ::MessageBoxA(owner ? owner : handle_, text, caption, flags);
}
