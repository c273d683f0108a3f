#pragma once

#include "ScrBase.h"

// The base of configuration dialogs: a form whose designed role is configuration.
class TScrDialog : public TScrBase {
public:
  explicit TScrDialog(TComponent* owner) : TScrBase(owner) {
    Purpose = smConfig;
    SetBorderStyle(bsDialog);
  }
};
