#pragma once

#include <windows.h>

#include "Form.h"
#include "ScrExport.h"
#include "ScrMode.h"

// The base of every form the controller hands out: its designed role (Purpose), whether the
// controller is using it now (InUse), and an owner window for its creation.
class SCRKIT_API TScrBase : public TForm {
public:
  explicit TScrBase(TComponent* owner) : TForm(owner) {}

  // The role the form was designed for; the controller files auto-created forms by it.
  TScrMode Purpose = smSaver;
  // Set by the controller while the form serves a mode; a form in use is not handed out
  // again.
  bool InUse = false;

  // The window that owns the form's window from its next creation on; null for none.  A
  // change destroys the current window so that the next Show creates it with the new owner.
  virtual void SetCreationParent(HWND parent);
  HWND CreationParent() const { return creationParent_; }

protected:
  void CreateParams(TCreateParams& params) override;

private:
  HWND creationParent_ = nullptr;
  bool creationParentSet_ = false;
};
