// A form with one control of each kind, for the window test: it writes every event it sees,
// one line each, to the log file named on its command line, and, when it closes, the values
// the controls hold.  At start it writes each control's screen rectangle ("place NAME x y w
// h") so that the test knows where to click.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "Application.h"
#include "Bevel.h"
#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Cursor.h"
#include "DeviceContext.h"
#include "Edit.h"
#include "Form.h"
#include "GroupBox.h"
#include "Image.h"
#include "Label.h"
#include "Layout.h"
#include "ListBox.h"
#include "Menu.h"
#include "Panel.h"
#include "UpDown.h"

namespace {

FILE* logFile = nullptr;  // the one log of this test program

void Log(const std::string& line) {
  std::fprintf(logFile, "%s\n", line.c_str());
  std::fflush(logFile);
}

// A 16 x 16 arrow glyph on a magenta ground (the lower-left pixel: transparent).
HBITMAP ArrowGlyph() {
  TWindowDC screen(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), 16, 16);
  TMemoryDC dc(screen.Get());
  TSelection selected(dc.Get(), bitmap);
  TGdiObject<HBRUSH> ground(CreateSolidBrush(RGB(255, 0, 255)));
  const RECT all = {0, 0, 16, 16};
  FillRect(dc.Get(), &all, ground.Get());
  TGdiObject<HBRUSH> ink(CreateSolidBrush(RGB(0, 0, 128)));
  TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 128)));
  TSelection brush(dc.Get(), ink.Get());
  TSelection outline(dc.Get(), pen.Get());
  const POINT arrow[] = {{8, 2}, {14, 9}, {10, 9}, {10, 14}, {6, 14}, {6, 9}, {2, 9}};
  Polygon(dc.Get(), arrow, 7);
  return bitmap;
}

// A 24-bit bitmap file of 40 x 30 pixels in four coloured quarters, for the picture control.
std::string WriteQuarterBitmap() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "gallery-quarters.bmp";
  const int width = 40, height = 30, stride = width * 3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  for (int row = height - 1; row >= 0; --row) {  // bottom-up
    for (int column = 0; column < width; ++column) {
      const bool right = column >= width / 2, bottom = row >= height / 2;
      const unsigned char bgr[3] = {static_cast<unsigned char>(right ? 255 : 0),
                                    static_cast<unsigned char>(bottom ? 200 : 0),
                                    static_cast<unsigned char>(right && bottom ? 0 : 220)};
      std::fwrite(bgr, 3, 1, out);
    }
  }
  std::fclose(out);
  return path;
}

class TGalleryForm : public TForm {
public:
  explicit TGalleryForm(TComponent* owner);
  void LogPlaces();
  void LogValues();

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  template <class T>
  T& Find(const char* name) {
    return ToolkitFind<T>(*this, name);
  }
  TPopupMenu* popup_ = nullptr;
};

constexpr UINT GallerySysItem = 0x310;

TFont TitleFont() {
  TFont font;
  font.Name = "Arial";
  font.Height = 16;
  font.Bold = true;
  font.Underline = true;
  font.Color = RGB(255, 255, 255);
  return font;
}

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
  SetName("Gallery");
  SetCaption("Control gallery");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetColor(RGB(192, 192, 192));
  SetClientWidth(420);
  SetClientHeight(300);

  ToolkitBuildLayout(*this, {
      {"ColourPanel", ComponentClass<TPanel>, "", 8, 8, 200, 40, nullptr,
       [](TComponent& c) {
         auto& panel = static_cast<TPanel&>(c);
         panel.SetColor(RGB(0, 96, 160));
         panel.SetBevelOuter(bvLowered);
       }},
      {"Title", ComponentClass<TLabel>, "ColourPanel", 4, 10, 192, 20, "Gallery title",
       [](TComponent& c) {
         auto& label = static_cast<TLabel&>(c);
         label.SetAutoSize(false);
         label.SetFont(TitleFont());
         label.SetAlignment(taCenter);
         label.SetTransparent(true);
       }},
      {"NameLabel", ComponentClass<TLabel>, "", 8, 60, 0, 0, "&Name", nullptr},
      {"NameEdit", ComponentClass<TEdit>, "", 60, 56, 148, 21, "", nullptr},
      {"Check", ComponentClass<TCheckBox>, "", 8, 86, 120, 17, "&Checked option", nullptr},
      {"List", ComponentClass<TListBox>, "", 8, 110, 100, 90, nullptr,
       [](TComponent& c) { static_cast<TListBox&>(c).SetItemHeight(16); }},
      {"Combo", ComponentClass<TComboBox>, "", 116, 110, 92, 21, nullptr, nullptr},
      {"Group", ComponentClass<TGroupBox>, "", 116, 140, 92, 60, "Number", nullptr},
      {"NumberEdit", ComponentClass<TEdit>, "Group", 10, 24, 60, 21, "0", nullptr},
      {"Spin", ComponentClass<TUpDown>, "Group", 0, 0, 0, 0, nullptr, nullptr},
      {"Box", ComponentClass<TBevel>, "", 220, 8, 90, 40, nullptr, nullptr},
      {"Frame", ComponentClass<TBevel>, "", 320, 8, 90, 40, nullptr,
       [](TComponent& c) { static_cast<TBevel&>(c).SetShape(bsFrame); }},
      {"Picture", ComponentClass<TImage>, "", 220, 60, 90, 60, nullptr,
       [](TComponent& c) { static_cast<TImage&>(c).SetCenter(true); }},
      {"GlyphButton", ComponentClass<TBitBtn>, "", 220, 130, 90, 25, "Glyph", nullptr},
      {"ArrowButton", ComponentClass<TBitBtn>, "", 320, 130, 25, 25, nullptr, nullptr},
      {"LongButton", ComponentClass<TButton>, "", 320, 60, 90, 25, "&Long", nullptr},
      {"OkButton", ComponentClass<TButton>, "", 256, 266, 75, 25, "OK",
       [](TComponent& c) { static_cast<TButton&>(c).SetDefault(true); }},
      {"CancelButton", ComponentClass<TButton>, "", 337, 266, 75, 25, "Cancel",
       [](TComponent& c) { static_cast<TButton&>(c).SetCancel(true); }},
      {"MainMenu", ComponentClass<TMainMenu>, "", 0, 0, 0, 0, nullptr, nullptr},
      {"Popup", ComponentClass<TPopupMenu>, "", 0, 0, 0, 0, nullptr, nullptr},
  });

  auto& nameEdit = Find<TEdit>("NameEdit");
  nameEdit.OnChange = [&nameEdit](TComponent*) { Log("NameEdit.OnChange " + nameEdit.Text()); };
  nameEdit.OnKeyPress = [](TComponent*, char& key) {
    if (key == '\r') Log("NameEdit.OnKeyPress Enter");
  };
  auto& number = Find<TEdit>("NumberEdit");
  number.OnChange = [&number](TComponent*) { Log("NumberEdit.OnChange " + number.Text()); };
  auto& spin = Find<TUpDown>("Spin");
  spin.SetRange(0, 10);
  spin.SetAssociate(&number);

  auto& check = Find<TCheckBox>("Check");
  check.OnClick = [&check](TComponent*) {
    Log(std::string("Check.OnClick ") + (check.Checked() ? "1" : "0"));
  };
  auto& list = Find<TListBox>("List");
  for (const char* item : {"alpha", "Bravo", "charlie", "Delta", "echo"}) list.AddItem(item);
  list.OnClick = [&list](TComponent*) { Log("List.OnClick " + std::to_string(list.ItemIndex())); };
  auto& combo = Find<TComboBox>("Combo");
  for (const char* item : {"High", "Normal", "Low"}) combo.AddItem(item);
  combo.SetItemIndex(0);
  combo.OnChange = [&combo](TComponent*) { Log("Combo.OnChange " + combo.Text()); };

  Find<TImage>("Picture").Picture().LoadFromFile(WriteQuarterBitmap());
  Find<TBitBtn>("GlyphButton").SetGlyph(ArrowGlyph());
  Find<TBitBtn>("ArrowButton").SetGlyph(ArrowGlyph());
  for (const char* name : {"GlyphButton", "ArrowButton", "OkButton", "CancelButton"}) {
    std::string logged = std::string(name) + ".OnClick";
    Find<TButton>(name).OnClick = [logged](TComponent*) { Log(logged); };
  }
  Find<TButton>("LongButton").OnClick = [](TComponent*) {
    THourglass hourglass;
    Log(std::string("LongButton.OnClick hourglass ") +
        (GetCursor() == LoadCursorA(nullptr, IDC_WAIT) ? "1" : "0"));
  };
  for (const char* name : {"NameEdit", "Check", "List", "Combo", "NumberEdit", "GlyphButton",
                           "ArrowButton", "LongButton", "OkButton", "CancelButton"}) {
    std::string logged = std::string("focus ") + name;
    Find<TWinControl>(name).OnEnter = [logged](TComponent*) { Log(logged); };
  }
  Find<TLabel>("Title").OnClick = [](TComponent*) { Log("Title.OnClick"); };

  auto& menu = Find<TMainMenu>("MainMenu");
  TMenuItem* file = menu.Items().Add("&File");
  file->Add("&Hello", [](TComponent*) { Log("Menu.Hello"); });
  file->Add("-");
  file->Add("E&xit", [this](TComponent*) { Close(); });
  SetMenu(&menu);

  popup_ = &Find<TPopupMenu>("Popup");
  popup_->Items().Add("First", [](TComponent*) { Log("Popup.First"); });
  popup_->Items().Add("Second", [](TComponent*) { Log("Popup.Second"); })->SetChecked(true);
  OnMouseDown = [this](TComponent*, TMouseButton button, TShiftState, int x, int y) {
    if (button != mbRight) return;
    POINT point = {x, y};
    ClientToScreen(Handle(), &point);
    popup_->Popup(point.x, point.y, Handle());
  };
  OnCreate = [this](TComponent*) {
    AppendSystemMenuSeparator(GallerySysItem + 1);
    AppendSystemMenuItem(GallerySysItem, "Gallery &note");
  };
}

LRESULT TGalleryForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == GallerySysItem) {
    Log("System.Note");
    return 0;
  }
  return TForm::WndProc(message, wParam, lParam);
}

void TGalleryForm::LogPlaces() {
  RECT client;
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  Log("place Client " + std::to_string(client.left) + " " + std::to_string(client.top) + " " +
      std::to_string(client.right - client.left) + " " + std::to_string(client.bottom - client.top));
  for (TComponent* component : Components()) {
    auto* control = dynamic_cast<TControl*>(component);
    if (!control) continue;
    POINT origin = {control->Left(), control->Top()};
    ClientToScreen(control->Parent()->Handle(), &origin);
    Log("place " + control->Name() + " " + std::to_string(origin.x) + " " +
        std::to_string(origin.y) + " " + std::to_string(control->Width()) + " " +
        std::to_string(control->Height()));
  }
}

void TGalleryForm::LogValues() {
  Log("value NameEdit " + Find<TEdit>("NameEdit").Text());
  Log(std::string("value Check ") + (Find<TCheckBox>("Check").Checked() ? "1" : "0"));
  Log("value List " + std::to_string(Find<TListBox>("List").ItemIndex()));
  Log("value Combo " + Find<TComboBox>("Combo").Text());
  Log("value NumberEdit " + Find<TEdit>("NumberEdit").Text());
  Log("value Spin " + std::to_string(Find<TUpDown>("Spin").Position()));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  logFile = std::fopen(commandLine, "wb");  // LF line ends, as the test reads them
  if (!logFile) return 2;
  Application().Initialize();
  TComponent* created = nullptr;
  Application().CreateForm(ComponentClass<TGalleryForm>, &created);
  auto* form = static_cast<TGalleryForm*>(created);
  form->OnClose = [form](TComponent*, TCloseAction&) { form->LogValues(); };
  form->Show();
  form->LogPlaces();
  Log("ready");
  Application().Run();
  std::fclose(logFile);
  return 0;
}
