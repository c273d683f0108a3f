#pragma once

#include "ScrForm.h"

class TImage;

// The saver's window in the Display control panel's preview: a fixed picture of one of our
// rendered surfaces (252 x 173, the resource PLOTVANEPREVIEW) centred on black in whatever
// size the preview area gives the form, its middle cut out when the area is smaller.  It
// loads no graph and computes nothing.
class TSPreviewForm : public TScrForm {
public:
  explicit TSPreviewForm(TComponent* owner);

  TImage& Image1() { return *image_; }

private:
  TImage* image_ = nullptr;
};
