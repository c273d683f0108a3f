#pragma once

#include "WinControl.h"

class TEdit;

// A pair of arrow buttons that step a number shown in an associated edit.  Once associated,
// the arrows sit at the edit's right edge (the edit gives up their width), and the edit's
// text follows Position.
class TUpDown : public TWinControl {
public:
  explicit TUpDown(TComponent* owner);

  // The edit the arrows belong to (null: none).  Its window must lie on the same parent.
  void SetAssociate(TEdit* edit);
  TEdit* Associate() const { return associate_; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int position);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  TEdit* associate_ = nullptr;
  int min_ = 0, max_ = 100, position_ = 0;
};
