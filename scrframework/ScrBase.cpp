#include "ScrBase.h"

void TScrBase::SetCreationParent(HWND parent) {
  if (creationParentSet_ && parent == creationParent_) return;
  DestroyHandle();
  creationParent_ = parent;
  creationParentSet_ = parent != nullptr;
}

void TScrBase::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  if (creationParentSet_ && !ParentWindow()) params.parent = creationParent_;
}
