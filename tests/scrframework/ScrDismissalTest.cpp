#include "ScrDismissal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A full-screen saver with a controller, nothing open, input live; the reference point at
// (100, 100) and a threshold of 10 pixels.
TScrInputState Live() {
  TScrInputState s;
  s.full = true;
  s.control = true;
  s.mouseThreshold = 10;
  s.reference = {100, 100};
  return s;
}

std::intptr_t Point(int x, int y) { return static_cast<std::intptr_t>((y & 0xFFFF) << 16 | (x & 0xFFFF)); }

TEST(ScrDismissal, InputMessagesOfTheFullScreenForm) {
  struct Case {
    const char* what;
    std::function<void(TScrInputState&)> state;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    TScrPoint cursor;
    TScrAction action;
    const char* trace;  // null: no line
    TScrPoint point;
  };
  auto same = [](TScrInputState&) {};
  auto config = [](TScrInputState& s) { s.activeConfig = true; };
  auto debug = [](TScrInputState& s) { s.debug = true; };
  auto dialog = [](TScrInputState& s) { s.dialogOpen = true; };
  auto preview = [](TScrInputState& s) { s.full = false; };
  auto disabled = [](TScrInputState& s) { s.inputDisabled = true; };
  auto noControl = [](TScrInputState& s) { s.control = false; };
  const TScrPoint here{100, 100};
  const Case cases[] = {
      {"a letter", same, ScrWmKeyDown, 'A', 0, here, saClose, "Full key down: closing...", {}},
      {"shift", same, ScrWmKeyDown, ScrVkShift, 0, here, saClose, "Full control key down: closing...", {}},
      {"control with active config", config, ScrWmKeyDown, ScrVkControl, 0, here, saActiveConfig,
       "Full control key down: active config...", {0, 0}},
      {"scroll lock with active config", config, ScrWmKeyDown, ScrVkScroll, 0, here, saActiveConfig,
       "Full control key down: active config...", {0, 0}},
      {"a key under IsDebug", debug, ScrWmKeyDown, 'A', 0, here, saNone, nullptr, {}},
      {"a key with a dialog open", dialog, ScrWmKeyDown, 'A', 0, here, saNone, nullptr, {}},
      {"a key in a preview", preview, ScrWmKeyDown, 'A', 0, here, saNone, nullptr, {}},
      {"a key with input disabled", disabled, ScrWmKeyDown, 'A', 0, here, saNone, nullptr, {}},
      {"a key without controller", noControl, ScrWmKeyDown, 'A', 0, here, saNone, nullptr, {}},
      {"left click", same, ScrWmLButtonDown, 1, Point(5, 6), here, saClose, "Full mouse down: closing...", {}},
      {"middle click", same, ScrWmMButtonDown, 16, 0, here, saClose, "Full mouse down: closing...", {}},
      {"left click under IsDebug", debug, ScrWmLButtonDown, 1, 0, here, saClose,
       "Full mouse down: closing...", {}},
      {"right click", same, ScrWmRButtonDown, 2, Point(5, 6), here, saClose,
       "Full right mouse: closing...", {}},
      {"right click with active config", config, ScrWmRButtonDown, 2, Point(640, 480), here,
       saActiveConfig, "Full right mouse: active config...", {640, 480}},
      {"right click left of a second monitor", config, ScrWmRButtonDown, 2, Point(-20, 3), here,
       saActiveConfig, "Full right mouse: active config...", {-20, 3}},
      {"left click in a preview", preview, ScrWmLButtonDown, 1, 0, here, saNone, nullptr, {}},
      {"deactivation", same, ScrWmActivate, 0, 0, here, saClose, "Full activation message: closing...", {}},
      {"application deactivation", same, ScrWmActivateApp, 0, 0, here, saClose,
       "Full activation message: closing...", {}},
      {"caption deactivation", same, ScrWmNcActivate, 0, 0, here, saClose,
       "Full activation message: closing...", {}},
      {"deactivation, minimised flag in the high word", same, ScrWmActivate, 0x10000, 0, here,
       saClose, "Full activation message: closing...", {}},
      {"activation", same, ScrWmActivate, 1, 0, here, saNone, nullptr, {}},
      {"deactivation with input disabled", disabled, ScrWmActivate, 0, 0, here, saClose,
       "Full activation message: closing...", {}},
      {"deactivation by a dialog", dialog, ScrWmActivate, 0, 0, here, saNone, nullptr, {}},
      {"deactivation under IsDebug", debug, ScrWmActivateApp, 0, 0, here, saNone, nullptr, {}},
      {"deactivation of a preview", preview, ScrWmNcActivate, 0, 0, here, saNone, nullptr, {}},
      {"a move to the threshold", same, ScrWmMouseMove, 0, 0, {110, 100}, saNone, nullptr, {}},
      {"a move just beyond it", same, ScrWmMouseMove, 0, 0, {110, 101}, saClose,
       "Full mouse move: closing...", {}},
      {"a move back beyond it", same, ScrWmMouseMove, 0, 0, {92, 92}, saClose,
       "Full mouse move: closing...", {}},
      {"a move beyond it under IsDebug", debug, ScrWmMouseMove, 0, 0, {300, 300}, saNone, nullptr, {}},
      {"a move beyond it with a dialog open", dialog, ScrWmMouseMove, 0, 0, {300, 300}, saNone, nullptr, {}},
      {"a close request is not input", same, ScrWmClose, 0, 0, here, saNone, nullptr, {}},
  };
  for (const Case& c : cases) {
    TScrInputState state = Live();
    c.state(state);
    TScrInputDecision d = ScrDecideInput(state, c.message, c.wParam, c.lParam, c.cursor);
    EXPECT_EQ(d.action, c.action) << c.what;
    EXPECT_EQ(std::string(d.trace ? d.trace : "(none)"), std::string(c.trace ? c.trace : "(none)"))
        << c.what;
    EXPECT_EQ(d.point.x, c.point.x) << c.what;
    EXPECT_EQ(d.point.y, c.point.y) << c.what;
  }
}

TEST(ScrDismissal, MouseThresholds) {
  struct Case {
    std::uint32_t threshold;
    TScrPoint to;  // from (0, 0)
    bool closes;
  };
  const Case cases[] = {
      {10, {10, 0}, false},      {10, {10, 1}, true},      {10, {-6, -8}, false},
      {10, {-7, -8}, true},      {0, {0, 0}, false},       {0, {1, 0}, true},
      {200, {120, 160}, false},  {200, {121, 160}, true},
      // 65536² is 2³²: wrapped to 32 bits it would close on any movement.
      {65536, {3, 4}, false},    {65536, {65536, 1}, true},
      {99999, {50000, 0}, false}, {99999, {99999, 1}, true},
      {100000, {5000, 5000}, false},  // 100000 and above ignore the mouse
      {999999, {1000000, 0}, false},
  };
  for (const Case& c : cases) {
    TScrInputState state = Live();
    state.mouseThreshold = c.threshold;
    state.reference = {0, 0};
    TScrInputDecision d = ScrDecideInput(state, ScrWmMouseMove, 0, 0, c.to);
    EXPECT_EQ(d.action == saClose, c.closes)
        << "threshold " << c.threshold << " to (" << c.to.x << ", " << c.to.y << ")";
  }
}

TEST(ScrDismissal, MessagesTheFullScreenFormIgnores) {
  struct Case {
    bool full, closing;
    unsigned message;
    std::uintptr_t wParam;
    bool swallowed;
  };
  const Case cases[] = {
      {true, false, ScrWmClose, 0, true},   // another program's close
      {true, true, ScrWmClose, 0, false},   // the form closing itself
      {false, false, ScrWmClose, 0, false},
      {true, false, ScrWmSysCommand, ScrScScreenSave, true},
      {true, false, ScrWmSysCommand, ScrScScreenSave | 2, true},
      {false, false, ScrWmSysCommand, ScrScScreenSave, false},
      {true, false, ScrWmSysCommand, ScrScClose, false},
      {true, false, ScrWmKeyDown, 'A', false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrSwallowsMessage(c.full, c.closing, c.message, c.wParam), c.swallowed)
        << c.message << " " << c.wParam << " full " << c.full << " closing " << c.closing;
  }
}

TEST(ScrDismissal, ActionNamesOfTheTrace) {
  EXPECT_STREQ(ScrActionName(saNone), "saNone");
  EXPECT_STREQ(ScrActionName(saClose), "saClose");
  EXPECT_STREQ(ScrActionName(saActiveConfig), "saActiveConfig");
}

}  // namespace
