#include "ComboBox.h"

#include <stdexcept>

#include "Scale.h"

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(GetSysColor(COLOR_WINDOW));
}

int TComboBox::DroppedHeight(int height) const {
  // The window's height includes the open list; the system keeps the field's own height.
  return height + DropDownCount * ToolkitScale(14, Dpi()) + 2;
}

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = "COMBOBOX";
  params.subclass = true;
  params.style = (params.style & ~WS_CLIPCHILDREN) | CBS_DROPDOWNLIST | WS_VSCROLL;
  params.height = DroppedHeight(params.height);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  StoreBounds(left, top, width, height);
  if (WindowHandle()) MoveWindow(WindowHandle(), left, top, width, DroppedHeight(height), TRUE);
}

void TComboBox::CreateWnd() {
  for (const std::string& item : items_)
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  items_.clear();
}

void TComboBox::DestroyWnd() {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  itemIndex_ = ItemIndex();
  items_ = std::move(items);
}

void TComboBox::CommandNotify(WORD code) {
  if (code == CBN_SELCHANGE && OnChange) OnChange(this);
}

int TComboBox::Count() const {
  if (!WindowHandle()) return static_cast<int>(items_.size());
  return static_cast<int>(SendMessageA(WindowHandle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  if (!WindowHandle()) return items_[static_cast<size_t>(index)];
  std::string text(static_cast<size_t>(SendMessageA(WindowHandle(), CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessageA(WindowHandle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void TComboBox::AddItem(const std::string& text) {
  if (!WindowHandle()) {
    items_.push_back(text);
    return;
  }
  SendMessageA(WindowHandle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (WindowHandle()) SendMessageA(WindowHandle(), CB_RESETCONTENT, 0, 0);
}

int TComboBox::ItemIndex() const {
  if (!WindowHandle()) return itemIndex_;
  return static_cast<int>(SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (WindowHandle()) SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TComboBox::Text() const {
  const int index = ItemIndex();
  return index < 0 ? std::string() : Item(index);
}
