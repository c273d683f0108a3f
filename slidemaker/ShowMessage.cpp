#include "ShowMessage.h"

#include "Application.h"

void ShowMessage(const std::string& text) {
  Application().MessageBox(text.c_str(), Application().Title().c_str(), MB_OK);
}
