#pragma once

#include <string>
#include <vector>

#include "WinControl.h"

// A drop-down list: a field showing the selected item and a list that opens below it.
// OnChange follows every change of the selection by the user; setting ItemIndex raises
// nothing.  Height is the field's; the open list shows up to DropDownCount items.
class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* owner);

  int Count() const;
  std::string Item(int index) const;
  void AddItem(const std::string& text);
  void ClearItems();

  int ItemIndex() const;
  void SetItemIndex(int index);
  // The selected item's text, or "" when none is selected.
  std::string Text() const;

  int DropDownCount = 8;

  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CommandNotify(WORD code) override;

private:
  int DroppedHeight(int height) const;
  std::vector<std::string> items_;  // while there is no window
  int itemIndex_ = -1;
};
