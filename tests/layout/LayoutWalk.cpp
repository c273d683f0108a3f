#include "LayoutWalk.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "Button.h"
#include "CheckBox.h"
#include "DeviceContext.h"
#include "Dpi.h"
#include "Font.h"
#include "Form.h"
#include "GdiObject.h"
#include "GroupBox.h"
#include "Label.h"
#include "Layout.h"
#include "MessagePump.h"
#include "Panel.h"

namespace {

// Room the system's controls keep beside their text, in 96-DPI pixels: a push button's edges,
// a check box's box and the gap after it, a group box's inset of its caption on each side.
constexpr int ButtonEdges = 6, CheckBoxBox = 16, GroupBoxInsets = 16;

// A dialog template is measured in dialog units, which follow its font's average character:
// hinted fonts do not grow in proportion, so the dialog may come out to a tenth smaller than
// the rule's size (its texts are checked to fit all the same).
constexpr double DialogUnitsSlack = 0.1;

// One row with the table it came from, and what it made.
struct TRow {
  const TLayoutItem* Item;
  TComponent* Component;
  int Index;  // the row's place among all rows walked for the window
};

class TWalk {
public:
  TWalk(const char* program, int dpi, std::filesystem::path outDir)
      : program_(program), dpi_(dpi), outDir_(std::move(outDir)) {
    std::filesystem::create_directories(outDir_ / std::to_string(dpi_));
    sizes_.open(outDir_ / std::to_string(dpi_) / (std::string(program_) + "-sizes.txt"));
    std::ifstream reference(outDir_ / "96" / (std::string(program_) + "-sizes.txt"));
    std::string name;
    int width = 0, height = 0;
    while (reference >> name >> width >> height) reference_[name] = {width, height};
  }

  void Window(const TLayoutWindow& window);
  int Failures() const { return failures_; }

private:
  void Fail(const std::string& what) {
    ++failures_;
    std::printf("FAILED %s %s at %d DPI: %s\n", program_, window_.c_str(), dpi_, what.c_str());
  }
  void Rows(TWinControl& control, std::vector<TRow>& rows);
  void CaptionFits(const TRow& row);
  void InsideParent(const std::string& name, TControl& control);
  void NoOverlaps(const std::vector<TRow>& rows);
  void TabOrder(const std::vector<TRow>& rows);
  // `slack`: the share by which the size may fall short of the scaled one.
  void ClientSize(HWND window, bool scaled, double slack = 0);
  void Picture(HWND window);

  int S(int value) const { return ToolkitScale(value, dpi_); }

  const char* program_;
  int dpi_;
  std::filesystem::path outDir_;
  std::ofstream sizes_;
  std::map<std::string, SIZE> reference_;
  std::string window_;
  int failures_ = 0;
};

// The extent of `text` in `font`: one line, or wrapped at `wrapWidth` when it is positive.
SIZE TextExtent(HFONT font, const std::string& text, int wrapWidth) {
  TWindowDC screen(nullptr);
  TSelection selected(screen.Get(), font);
  RECT rect = {0, 0, wrapWidth, 0};
  DrawTextA(screen.Get(), text.c_str(), -1, &rect,
            DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  return {rect.right, rect.bottom};
}

// The font a windowed control draws its caption in: the system control's own, or for the
// toolkit's own classes (which paint it themselves) the dialog font at the control's DPI.
HFONT WindowFont(TWinControl& control) {
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(control.Handle(), WM_GETFONT, 0, 0)))
    return font;
  return ToolkitDefaultFont(control.Dpi());
}

std::string RectText(const RECT& r) {
  std::ostringstream text;
  text << "(" << r.left << ", " << r.top << ", " << r.right - r.left << " x " << r.bottom - r.top
       << ")";
  return text.str();
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != FALSE;
}

// Draws the window's own pixels into a 24-bit bottom-up BMP file.
bool SaveWindowBitmap(HWND window, const std::filesystem::path& file) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return false;
  TNonClientDC source(window);
  TMemoryDC memory(source.Get());
  TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(source.Get(), width, height));
  {
    TSelection selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
  }
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * height);
  if (!GetDIBits(memory.Get(), bitmap.Get(), 0, height, pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
    return false;
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

bool MessagesPending() {
  MSG message;
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

void TWalk::Rows(TWinControl& control, std::vector<TRow>& rows) {
  for (const TLayoutTable& table : control.LayoutTables()) {
    for (const TLayoutItem& item : table.Items) {
      TComponent* component = ToolkitFindComponent(*table.Owner, item.Name);
      rows.push_back({&item, component, static_cast<int>(rows.size())});
      // A control with a table of its own (a panel of the framework) is walked with it.
      if (auto* inner = dynamic_cast<TWinControl*>(component); inner && inner != &control)
        Rows(*inner, rows);
    }
  }
}

void TWalk::CaptionFits(const TRow& row) {
  const char* caption = row.Item->Caption;
  if (!caption || !*caption) return;
  const std::string name = row.Item->Name;
  auto* control = dynamic_cast<TControl*>(row.Component);
  if (!control) return;
  SIZE room = {control->Width(), control->Height()};
  SIZE text = {0, 0};
  if (auto* label = dynamic_cast<TLabel*>(control)) {
    TGdiObject<HFONT> font(ToolkitCreateFont(label->Font()));
    text = TextExtent(font.Get(), caption, label->WordWrap() ? room.cx : 0);
  } else if (auto* button = dynamic_cast<TButton*>(control)) {
    text = TextExtent(WindowFont(*button), caption, 0);
    room.cx -= S(ButtonEdges);
    if (auto* bitButton = dynamic_cast<TBitBtn*>(button); bitButton && bitButton->Glyph()) {
      BITMAP glyph = {};
      GetObjectA(bitButton->Glyph(), sizeof glyph, &glyph);
      room.cx -= glyph.bmWidth + S(4);
      if (glyph.bmHeight > room.cy) Fail(name + "'s glyph is taller than the button");
    }
  } else if (auto* box = dynamic_cast<TCheckBox*>(control)) {
    text = TextExtent(WindowFont(*box), caption, 0);
    room.cx -= S(CheckBoxBox);
  } else if (auto* group = dynamic_cast<TGroupBox*>(control)) {
    text = TextExtent(WindowFont(*group), caption, 0);
    room.cx -= S(GroupBoxInsets);
  } else if (auto* panel = dynamic_cast<TCustomPanel*>(control)) {
    text = TextExtent(WindowFont(*panel), caption, 0);
  } else {
    return;  // an edit's or a list's caption is its content, not a text to fit
  }
  if (text.cx > room.cx || text.cy > room.cy) {
    std::ostringstream what;
    what << name << ": \"" << caption << "\" needs " << text.cx << " x " << text.cy
         << " pixels, has " << room.cx << " x " << room.cy;
    Fail(what.str());
  }
}

void TWalk::InsideParent(const std::string& name, TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent) return;
  RECT client;
  GetClientRect(parent->Handle(), &client);
  const RECT bounds = control.BoundsRect();
  if (bounds.left < 0 || bounds.top < 0 || bounds.right > client.right || bounds.bottom > client.bottom)
    Fail(name + " " + RectText(bounds) + " is not inside " + parent->Name() + "'s client area " +
         RectText(client));
}

void TWalk::NoOverlaps(const std::vector<TRow>& rows) {
  // The table's rectangle: a width or height of 0 keeps the control's own, at 96 DPI.
  const auto tableRect = [this](const TRow& row, const TControl& control) {
    const TLayoutItem& item = *row.Item;
    const int width = item.Width ? item.Width : ToolkitScale(control.Width(), ToolkitDesignDpi, dpi_);
    const int height = item.Height ? item.Height : ToolkitScale(control.Height(), ToolkitDesignDpi, dpi_);
    return RECT{item.Left, item.Top, item.Left + width, item.Top + height};
  };
  // A row without bounds is placed by another control (up-down arrows by their edit, which
  // they overlap by its border, as the system places them): the table does not place it.
  const auto placed = [](const TRow& row) {
    const TLayoutItem& item = *row.Item;
    return item.Left || item.Top || item.Width || item.Height;
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    auto* a = dynamic_cast<TControl*>(rows[i].Component);
    if (!a || !a->Visible() || !a->Parent() || !placed(rows[i])) continue;
    for (size_t j = i + 1; j < rows.size(); ++j) {
      auto* b = dynamic_cast<TControl*>(rows[j].Component);
      if (!b || !b->Visible() || b->Parent() != a->Parent() || !placed(rows[j])) continue;
      if (!Overlap(a->BoundsRect(), b->BoundsRect())) continue;
      if (Overlap(tableRect(rows[i], *a), tableRect(rows[j], *b))) continue;
      Fail(std::string(rows[i].Item->Name) + " " + RectText(a->BoundsRect()) + " overlaps " +
           rows[j].Item->Name + " " + RectText(b->BoundsRect()) +
           ", which the table keeps apart");
    }
  }
}

void TWalk::TabOrder(const std::vector<TRow>& rows) {
  // Per parent, the controls that take the focus with the place the table gives them: their
  // TabOrder, or their place among the parent's windowed rows.
  std::map<TWinControl*, std::vector<std::pair<std::pair<int, int>, TWinControl*>>> byParent;
  std::map<TWinControl*, int> windowedRows;
  for (const TRow& row : rows) {
    auto* control = dynamic_cast<TWinControl*>(row.Component);
    if (!control || !control->Parent()) continue;
    const int place = windowedRows[control->Parent()]++;
    if (!(GetWindowLongA(control->Handle(), GWL_STYLE) & WS_TABSTOP)) continue;
    const int order = row.Item->TabOrder >= 0 ? row.Item->TabOrder : place;
    byParent[control->Parent()].push_back({{order, row.Index}, control});
  }
  for (auto& [parent, controls] : byParent) {
    std::sort(controls.begin(), controls.end());
    // The dialog keys walk the children in their order among their siblings.
    std::map<HWND, int> zOrder;
    int position = 0;
    for (HWND child = GetWindow(parent->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      zOrder[child] = position++;
    for (size_t i = 1; i < controls.size(); ++i) {
      TWinControl* before = controls[i - 1].second;
      TWinControl* after = controls[i].second;
      if (zOrder[before->Handle()] > zOrder[after->Handle()])
        Fail("tab order: " + after->Name() + " comes before " + before->Name() +
             ", the table has it after");
    }
  }
}

void TWalk::ClientSize(HWND window, bool scaled, double slack) {
  RECT client;
  GetClientRect(window, &client);
  sizes_ << window_ << " " << client.right << " " << client.bottom << "\n";
  std::printf("%s %s at %d DPI: client %ld x %ld\n", program_, window_.c_str(), dpi_, client.right,
              client.bottom);
  if (!scaled || dpi_ == ToolkitDesignDpi) return;
  const auto found = reference_.find(window_);
  if (found == reference_.end()) {
    Fail("no client size at 96 DPI to compare with (run the 96-DPI session first)");
    return;
  }
  const int width = S(found->second.cx), height = S(found->second.cy);
  // One pixel either way: an edge rounds once, a size may round twice.
  const auto matches = [slack](long got, int wanted) {
    return got <= wanted + 1 && got >= wanted * (1 - slack) - 1;
  };
  if (!matches(client.right, width) || !matches(client.bottom, height)) {
    std::ostringstream what;
    what << "client area " << client.right << " x " << client.bottom << ", expected " << width
         << " x " << height << " (" << found->second.cx << " x " << found->second.cy
         << " at 96 DPI)";
    Fail(what.str());
  }
}

void TWalk::Picture(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpUntil([] { return !MessagesPending(); }, 10000);
  const auto file = outDir_ / std::to_string(dpi_) / (std::string(program_) + "-" + window_ + ".bmp");
  if (!SaveWindowBitmap(window, file)) Fail("no picture saved in " + file.string());
}

void TWalk::Window(const TLayoutWindow& window) {
  window_ = window.Name;
  if (window.Dialog) {
    HWND dialog = window.Dialog();
    if (!dialog) {
      Fail("the dialog template made no window");
      return;
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    Picture(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT bounds;
      GetWindowRect(child, &bounds);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
      char text[256] = "";
      GetWindowTextA(child, text, sizeof text);
      if (bounds.left < 0 || bounds.top < 0 || bounds.right > client.right || bounds.bottom > client.bottom)
        Fail(std::string("\"") + text + "\" " + RectText(bounds) + " is not inside the client area " +
             RectText(client));
      // A static text of the template must fit on its one line in the dialog's font.
      char kind[32] = "";
      GetClassNameA(child, kind, sizeof kind);
      const bool icon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
      if (*text && !icon && lstrcmpiA(kind, "Static") == 0) {
        const auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        const SIZE extent = TextExtent(font, text, 0);
        if (extent.cx > bounds.right - bounds.left || extent.cy > bounds.bottom - bounds.top)
          Fail(std::string("\"") + text + "\" needs " + std::to_string(extent.cx) + " x " +
               std::to_string(extent.cy) + " pixels, has " + RectText(bounds));
      }
    }
    ClientSize(dialog, true, DialogUnitsSlack);
    DestroyWindow(dialog);
    return;
  }
  TForm* form = window.Form();
  form->Show();
  HWND handle = form->Handle();
  if (form->Scaled() && form->Dpi() != dpi_)
    Fail("the form is laid out for " + std::to_string(form->Dpi()) + " DPI");
  if (ToolkitWindowDpi(handle) != dpi_)
    Fail("the system gives the window " + std::to_string(ToolkitWindowDpi(handle)) + " DPI");
  Picture(handle);
  std::vector<TRow> rows;
  Rows(*form, rows);
  for (const TRow& row : rows) {
    CaptionFits(row);
    if (auto* control = dynamic_cast<TControl*>(row.Component)) InsideParent(row.Item->Name, *control);
  }
  NoOverlaps(rows);
  TabOrder(rows);
  ClientSize(handle, form->Scaled());
  form->Hide();
}

}  // namespace

int LayoutWalkMain(int argc, char** argv, const char* program,
                   const std::vector<TLayoutWindow>& windows) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DPI OUTDIR\n", argv[0]);
    return 2;
  }
  TWalk walk(program, std::atoi(argv[1]), argv[2]);
  for (const TLayoutWindow& window : windows) walk.Window(window);
  std::printf("%s: %zu windows at %s DPI, %d failures\n", program, windows.size(), argv[1],
              walk.Failures());
  return walk.Failures() == 0 ? 0 : 1;
}
