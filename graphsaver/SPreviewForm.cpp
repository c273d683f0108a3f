#include "SPreviewForm.h"

#include "Image.h"
#include "Layout.h"

TSPreviewForm::TSPreviewForm(TComponent* owner) : TScrForm(owner) {
  SetName("SPreviewForm");
  SetColor(RGB(0, 0, 0));
  SetBounds(0, 0, 260, 200);
  ToolkitBuildLayout(*this, {
      {"Image1", ComponentClass<TImage>, "", 0, 0, 260, 200, nullptr,
       [](TComponent& c) {
         auto& image = static_cast<TImage&>(c);
         image.SetAlign(alClient);
         image.SetCenter(true);
         image.Picture().LoadFromResource(GetModuleHandleA(nullptr), "PLOTVANEPREVIEW");
       }},
  });
  image_ = &ToolkitFind<TImage>(*this, "Image1");
  Purpose = smSPreview;
}
