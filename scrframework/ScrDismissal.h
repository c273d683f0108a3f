#pragma once

#include <cstdint>

// The dismissal rules of a saver form: which window messages close it, open the active
// configuration or are ignored.  Portable so that every rule can be checked with tables; the
// form (TScrForm) feeds it the messages of its window.  Message and key numbers are the
// Win32 ones.
inline constexpr unsigned ScrWmCreate = 1;
inline constexpr unsigned ScrWmActivate = 6;
inline constexpr unsigned ScrWmClose = 16;
inline constexpr unsigned ScrWmActivateApp = 28;
inline constexpr unsigned ScrWmNcActivate = 134;
inline constexpr unsigned ScrWmKeyDown = 256;
inline constexpr unsigned ScrWmSysCommand = 274;
inline constexpr unsigned ScrWmMouseMove = 512;
inline constexpr unsigned ScrWmLButtonDown = 513;
inline constexpr unsigned ScrWmRButtonDown = 516;
inline constexpr unsigned ScrWmMButtonDown = 519;
inline constexpr unsigned ScrScScreenSave = 0xF140;
inline constexpr unsigned ScrScClose = 0xF060;
inline constexpr unsigned ScrVkShift = 16;
inline constexpr unsigned ScrVkControl = 17;
inline constexpr unsigned ScrVkScroll = 145;

// A threshold of this many pixels or more means the mouse never closes the saver.
inline constexpr std::uint32_t ScrMouseIgnored = 100000;

// What a saver form does after the input message that asked for it.
enum TScrAction { saNone, saClose, saActiveConfig };

// "saNone", "saClose" or "saActiveConfig", as the trace writes it.
const char* ScrActionName(TScrAction action);

struct TScrPoint {
  int x = 0;
  int y = 0;
};

// The form and controller state the rules look at.
struct TScrInputState {
  bool full = false;           // the form runs the full-screen mode
  bool dialogOpen = false;     // a dialog is open over the saver
  bool control = false;        // a controller exists
  bool debug = false;          // the controller's IsDebug
  bool inputDisabled = false;  // the controller's DisableSaverInputBehaviour
  bool activeConfig = false;   // active configuration enabled
  std::uint32_t mouseThreshold = 0;  // pixels
  TScrPoint reference;         // the cursor position the movement is measured from
};

struct TScrInputDecision {
  TScrAction action = saNone;
  TScrPoint point;              // where the active configuration was asked for
  const char* trace = nullptr;  // the line to write at tlMsg, or null
};

// The decision for one message of the form's window.  lParam carries a click's client
// position (x low word, y high word); cursor is the cursor position on a mouse move.
// Messages that are not input give saNone.
TScrInputDecision ScrDecideInput(const TScrInputState& state, unsigned message,
                                 std::uintptr_t wParam, std::intptr_t lParam, TScrPoint cursor);

// Whether cursor lies farther than threshold pixels from reference (the distance itself
// does not close).  Computed in 64 bits: a threshold of 65536 squared does not fit 32 bits
// and would wrap to a threshold of almost nothing.
bool ScrMovedBeyond(TScrPoint reference, TScrPoint cursor, std::uint32_t threshold);

// Whether the full-screen form ignores the message altogether: a WM_CLOSE that the form
// did not send itself (another program cannot end the saver), and the system's request to
// start the screen saver while it runs.
bool ScrSwallowsMessage(bool full, bool closing, unsigned message, std::uintptr_t wParam);
