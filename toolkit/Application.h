#pragma once

#include <windows.h>

#include <string>

#include "Component.h"

class TForm;

// The application object: owner of the program's forms, its hidden main window and its
// message loop.  There is one per process, reached through Application().
class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  // Creates the hidden application window (the owner of message boxes and the window whose
  // taskbar presence the program controls).  Call once before anything else.
  void Initialize();
  HWND Handle() const { return handle_; }

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);

  // Whether Run shows the main form by itself (default true).
  bool ShowMainForm = true;

  // The first form created through CreateForm, or null.
  TForm* MainForm() const { return mainForm_; }

  // Creates an object of formClass owned by the application into *reference; the first form
  // created this way becomes the main form.
  void CreateForm(TComponentClass formClass, TComponent** reference);

  // Runs the message loop until Terminate.  Without a main form there is nothing to run and
  // it returns at once.
  void Run();

  // Ends the message loop (and every modal loop) after the current message.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Waits for one message and dispatches it; a WM_QUIT marks the application terminated.
  void HandleMessage();

  // Called inside a catch block: shows the message of the exception being handled in a box
  // captioned with the title and lets the program go on.  The silent abort shows nothing.
  void HandleException();

  // A message box owned by the active window, MessageBoxA's flags and result.
  int MessageBox(const char* text, const char* caption, UINT flags = MB_OK);

private:
  HWND handle_ = nullptr;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;

  friend class TForm;  // a destroyed main form clears mainForm_
};

// The process-wide application object (created on first use, lives until the process ends).
TApplication& Application();
