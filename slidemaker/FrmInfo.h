#pragma once

// The about box: a picture and the author's contact lines, white on black, closed with its
// close box.  Created once, shown without blocking the main window, hidden on close.

#include "Form.h"

class TFrmInfo : public TForm {
public:
  explicit TFrmInfo(TComponent* owner);

protected:
  // The picture as drawn for the new scale.
  void ChangeScale(int fromDpi, int toDpi) override;
};
