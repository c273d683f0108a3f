#include "GraphSyntaxErrorBox.h"

#include "GraphMessages.h"

void ShowGraphSyntaxError(HWND owner) {
  MessageBoxA(owner, GraphSyntaxErrorText, GraphMessageCaption, MB_OK | MB_ICONERROR);
}
