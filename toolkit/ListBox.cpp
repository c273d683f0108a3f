#include "ListBox.h"

#include <stdexcept>

#include "Scale.h"

namespace {

void CheckIndex(int index, int count, const char* operation) {
  if (index < 0 || index >= count)
    throw std::out_of_range(std::string("List index out of bounds (") + std::to_string(index) +
                            ") in " + operation);
}

}  // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(GetSysColor(COLOR_WINDOW));
}

void TListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = "LISTBOX";
  params.subclass = true;
  params.style = (params.style & ~WS_CLIPCHILDREN) | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                 WS_VSCROLL | WS_HSCROLL;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
  HWND window = Handle();
  if (itemHeight_ > 0) SendMessageA(window, LB_SETITEMHEIGHT, 0, itemHeight_);
  for (const std::string& item : items_)
    SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  items_.clear();
}

void TListBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  std::vector<std::string> items = Items();
  items_ = std::move(items);
}

void TListBox::CommandNotify(WORD code) {
  if (code == LBN_SELCHANGE) Click();
  if (code == LBN_DBLCLK && OnDblClick) OnDblClick(this);
}

int TListBox::Count() const {
  if (!HandleAllocated()) return static_cast<int>(items_.size());
  return static_cast<int>(SendMessageA(WindowHandle(), LB_GETCOUNT, 0, 0));
}

std::string TListBox::Item(int index) const {
  CheckIndex(index, Count(), "Item");
  if (!HandleAllocated()) return items_[static_cast<size_t>(index)];
  HWND window = WindowHandle();
  std::string text(static_cast<size_t>(SendMessageA(window, LB_GETTEXTLEN, index, 0)) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessageA(window, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::vector<std::string> TListBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  return items;
}

void TListBox::SetItem(int index, const std::string& text) {
  CheckIndex(index, Count(), "SetItem");
  const bool selected = ItemIndex() == index;
  DeleteItem(index);
  InsertItem(index, text);
  if (selected) SetItemIndex(index);
}

void TListBox::AddItem(const std::string& text) { InsertItem(Count(), text); }

void TListBox::InsertItem(int index, const std::string& text) {
  if (index < 0 || index > Count()) CheckIndex(index, Count(), "InsertItem");
  if (!HandleAllocated()) {
    items_.insert(items_.begin() + index, text);
    if (itemIndex_ >= index) ++itemIndex_;
    return;
  }
  SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::DeleteItem(int index) {
  CheckIndex(index, Count(), "DeleteItem");
  if (!HandleAllocated()) {
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index) itemIndex_ = -1;
    else if (itemIndex_ > index) --itemIndex_;
    return;
  }
  SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TListBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (HandleAllocated()) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

int TListBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(WindowHandle(), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::ChangeScale(int fromDpi, int toDpi) {
  TWinControl::ChangeScale(fromDpi, toDpi);
  if (itemHeight_ > 0) SetItemHeight(scaledItemHeight_.Scale(itemHeight_, fromDpi, toDpi));
}

void TListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  if (HandleAllocated() && height > 0) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}
