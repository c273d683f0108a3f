// A form scales its layout table to the DPI of its monitor when its window is made, and
// again when the system moves it to a monitor of another scale (WM_DPICHANGED): bounds,
// client size, fonts and list item heights, by the one rule of Scale.h.
#include <windows.h>

#include <gtest/gtest.h>

#include "Button.h"
#include "Dpi.h"
#include "Form.h"
#include "Label.h"
#include "Layout.h"
#include "Edit.h"
#include "ListBox.h"
#include "UpDown.h"

namespace {

// WM_DPICHANGED, as the system sends it: the new DPI twice and a suggested rectangle.
void SendDpiChanged(HWND window, int dpi, RECT suggested) {
  SendMessageA(window, 0x02E0, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

int FontHeight(HFONT font) {
  LOGFONTA description = {};
  GetObjectA(font, sizeof description, &description);
  return -description.lfHeight;
}

class TScaledForm : public TForm {
public:
  explicit TScaledForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsDialog);
    SetClientWidth(200);
    SetClientHeight(100);
    ToolkitBuildLayout(*this, {
        {"Title", ComponentClass<TLabel>, "", 8, 8, 0, 0, "Title", nullptr,
         {.Name = "Arial", .Height = 20, .Bold = true}},
        {"List", ComponentClass<TListBox>, "", 8, 40, 100, 50, nullptr,
         [](TComponent& c) { static_cast<TListBox&>(c).SetItemHeight(13); }},
        {"Ok", ComponentClass<TButton>, "", 117, 67, 75, 25, "OK"},
    });
  }
  template <class T>
  T& Get(const char* name) {
    return ToolkitFind<T>(*this, name);
  }
};

// Everything the table gives, as it must be at `dpi`.
void ExpectLayoutAt(TScaledForm& form, int dpi) {
  const auto s = [dpi](int value) { return ToolkitScale(value, dpi); };
  EXPECT_EQ(form.Dpi(), dpi);
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, s(200));
  EXPECT_EQ(client.bottom, s(100));
  auto& ok = form.Get<TButton>("Ok");
  EXPECT_EQ(ok.Left(), s(117));
  EXPECT_EQ(ok.Top(), s(67));
  EXPECT_EQ(ok.Left() + ok.Width(), s(192));
  EXPECT_EQ(ok.Top() + ok.Height(), s(92));
  RECT placed;
  GetWindowRect(ok.Handle(), &placed);
  EXPECT_EQ(placed.right - placed.left, ok.Width()) << "the window follows the object";
  EXPECT_EQ(FontHeight(reinterpret_cast<HFONT>(SendMessageA(ok.Handle(), WM_GETFONT, 0, 0))), s(11));
  EXPECT_EQ(form.Get<TLabel>("Title").Font().Height, s(20));
  auto& list = form.Get<TListBox>("List");
  EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), s(13));
  EXPECT_EQ(list.Width(), s(100));
}

TEST(FormScale, ScalesWhenCreatedAndWhenTheDpiChanges) {
  TScaledForm form(nullptr);
  EXPECT_EQ(form.Dpi(), ToolkitDesignDpi) << "no scaling before the window exists";
  const int screen = ToolkitWindowDpi(form.Handle());
  ExpectLayoutAt(form, screen);

  SendDpiChanged(form.Handle(), 192, {40, 30, 600, 500});
  ExpectLayoutAt(form, 192);
  RECT bounds;
  GetWindowRect(form.Handle(), &bounds);
  EXPECT_EQ(bounds.left, 40) << "placed where the system suggests";
  EXPECT_EQ(bounds.top, 30);

  // Through other scales and back: every value is the table's, no pixel lost to rounding on
  // the way (10 once became 11 after 192, 120 and 144).
  for (int dpi : {120, 144, 168, screen}) {
    SendDpiChanged(form.Handle(), dpi, {40, 30, 600, 500});
    ExpectLayoutAt(form, dpi);
  }
}

// A row added once the form is on screen is scaled like the rest; a form that draws in
// physical pixels ignores the DPI.
TEST(FormScale, LateRowsScaleAndUnscaledFormsKeepTheirPixels) {
  TScaledForm form(nullptr);
  form.Handle();
  SendDpiChanged(form.Handle(), 144, {0, 0, 400, 300});
  ToolkitBuildLayout(form, {{"Late", ComponentClass<TButton>, "", 10, 10, 60, 20, "Late"}});
  auto& late = form.Get<TButton>("Late");
  EXPECT_EQ(late.Dpi(), 144);
  EXPECT_EQ(late.Left(), 15);
  EXPECT_EQ(late.Width(), 90);
  EXPECT_EQ(late.Height(), 30);

  TScaledForm physical(nullptr);
  physical.SetScaled(false);
  SendDpiChanged(physical.Handle(), 192, {0, 0, 400, 300});
  EXPECT_EQ(physical.Dpi(), ToolkitDesignDpi);
  EXPECT_EQ(physical.Get<TButton>("Ok").Width(), 75);
  EXPECT_EQ(physical.ClientWidth(), 200);
}

// Arrows that sit at an edit's right edge (overlapping its border, as the system places
// them) stay there, as tall as the edit and as wide as the scale asks, whatever scales the
// form moves through.
TEST(FormScale, UpDownArrowsStayBesideTheirEdit) {
  TScaledForm form(nullptr);
  ToolkitBuildLayout(form, {{"Number", ComponentClass<TEdit>, "", 10, 10, 40, 21, nullptr},
                            {"Arrows", ComponentClass<TUpDown>, "", 0, 0, 0, 0, nullptr}});
  auto& edit = form.Get<TEdit>("Number");
  auto& arrows = form.Get<TUpDown>("Arrows");
  arrows.SetAssociate(&edit);
  const auto placed = [&](TWinControl& control) {
    RECT r;
    GetWindowRect(control.Handle(), &r);
    return r;
  };
  const int screen = ToolkitWindowDpi(form.Handle());
  const RECT e0 = placed(edit), a0 = placed(arrows);
  const int overlap = e0.right - a0.left, width = a0.right - a0.left;
  ASSERT_GE(overlap, 0) << "no gap between the edit and its arrows";
  for (int dpi : {192, 120, 144, screen}) {
    SendDpiChanged(form.Handle(), dpi, {0, 0, 600, 500});
    const RECT e = placed(edit), a = placed(arrows);
    EXPECT_NEAR(e.right - a.left, ToolkitScale(overlap, dpi, screen), 1) << "at " << dpi << " DPI";
    EXPECT_NEAR(a.right - a.left, ToolkitScale(width, dpi, screen), 1) << "at " << dpi << " DPI";
    EXPECT_EQ(a.top, e.top) << "at " << dpi << " DPI";
    EXPECT_EQ(a.bottom, e.bottom) << "at " << dpi << " DPI";
  }
}

}  // namespace
