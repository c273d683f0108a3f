#include "FrmInfo.h"

#include <string>

#include "Image.h"
#include "Label.h"
#include "Layout.h"
#include "ProgramInfo.h"
#include "SlidemakerResources.h"

namespace {

// The picture drawn for the image's DPI, centred in its place at scales between those drawn.
void Picture(TComponent& c) {
  auto& image = static_cast<TImage&>(c);
  image.SetCenter(true);
  image.Picture().LoadFromResource(GetModuleHandleA(nullptr), ResAboutPicture);
}

const TFont ContactFont = {.Name = "Arial", .Height = 14, .Bold = true, .Color = RGB(255, 255, 255)};

void ContactLine(TComponent& c) {
  auto& label = static_cast<TLabel&>(c);
  label.SetAutoSize(false);
  label.SetAlignment(taCenter);
  label.SetTransparent(true);
}

}  // namespace

TFrmInfo::TFrmInfo(TComponent* owner) : TForm(owner) {
  SetName("FrmInfo");
  SetCaption("Informazioni su...");
  SetBorderStyle(bsToolWindow);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetColor(RGB(0, 0, 0));
  SetClientWidth(393);
  SetClientHeight(174);

  // Six lines in the right part, 24 pixels apart, the block centred top to bottom.
  constexpr int lineLeft = 202, lineWidth = 188, lineTop = 17, lineStep = 24;
  ToolkitBuildLayout(*this, {
      {"Image1", ComponentClass<TImage>, "", 1, 1, 200, 172, nullptr, Picture},
      {"Label1", ComponentClass<TLabel>, "", lineLeft, lineTop, lineWidth, 18, ProgramContactLines[0], ContactLine, ContactFont},
      {"Label2", ComponentClass<TLabel>, "", lineLeft, lineTop + lineStep, lineWidth, 18, ProgramContactLines[1], ContactLine, ContactFont},
      {"Label3", ComponentClass<TLabel>, "", lineLeft, lineTop + 2 * lineStep, lineWidth, 18, ProgramContactLines[2], ContactLine, ContactFont},
      {"Label4", ComponentClass<TLabel>, "", lineLeft, lineTop + 3 * lineStep, lineWidth, 18, ProgramContactLines[3], ContactLine, ContactFont},
      {"Label5", ComponentClass<TLabel>, "", lineLeft, lineTop + 4 * lineStep, lineWidth, 18, ProgramContactLines[4], ContactLine, ContactFont},
      {"Label6", ComponentClass<TLabel>, "", lineLeft, lineTop + 5 * lineStep, lineWidth, 18, ProgramContactLines[5], ContactLine, ContactFont},
  });
}

void TFrmInfo::ChangeScale(int fromDpi, int toDpi) {
  TForm::ChangeScale(fromDpi, toDpi);
  auto& image = ToolkitFind<TImage>(*this, "Image1");
  image.Picture().LoadFromResource(GetModuleHandleA(nullptr),
                                   SlidemakerPictureName(ResAboutPicture, image.Dpi()).c_str());
}
