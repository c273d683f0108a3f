#pragma once

#include <string>
#include <vector>

#include "WinControl.h"

// A list of text items with at most one selected.  OnClick follows every change of the
// selection by the user, with the mouse or the keyboard; setting ItemIndex raises nothing.
// Indexes are 0-based; -1 means no selection.
class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* owner);

  int Count() const;
  std::string Item(int index) const;
  void SetItem(int index, const std::string& text);
  void AddItem(const std::string& text);
  void InsertItem(int index, const std::string& text);
  void DeleteItem(int index);
  void ClearItems();
  std::vector<std::string> Items() const;

  int ItemIndex() const;
  void SetItemIndex(int index);

  // Pixel height of one item at the control's Dpi(); 0 keeps the font's.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CommandNotify(WORD code) override;
  void ChangeScale(int fromDpi, int toDpi) override;

private:
  // The items and selection while there is no window, handed over when it is created.
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int itemHeight_ = 0;
  TScaledLength scaledItemHeight_;
};
