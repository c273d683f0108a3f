#include "Menu.h"

#include <map>

#include "Application.h"

namespace {

// Process-wide: a WM_COMMAND carries only the id, so the ids of every live item are kept in
// one table.  Ids start above the dialog command ids (IDOK 1 ... IDHELP 9) and stay below the
// system menu's commands (0xF000).  The table is made before main, so that it outlives the
// application object, whose forms destroy their menus when the process ends.
std::map<UINT, TMenuItem*> menuItems;

std::map<UINT, TMenuItem*>& MenuItems() { return menuItems; }

UINT NewCommand() {
  static UINT next = 100;
  while (MenuItems().count(next)) next = next >= 0xEFFF ? 100 : next + 1;
  return next++;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand()) {
  MenuItems()[command_] = this;
}

TMenuItem::~TMenuItem() { MenuItems().erase(command_); }

TMenuItem* TMenuItem::Add(std::string caption, TNotifyEvent onClick) {
  auto* item = new TMenuItem(this);  // owned by this item
  item->caption_ = std::move(caption);
  item->OnClick = std::move(onClick);
  items_.push_back(item);
  return item;
}

void TMenuItem::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (menu_) ModifyMenuA(menu_, command_, MF_BYCOMMAND | MF_STRING, command_, caption_.c_str());
}

void TMenuItem::SetChecked(bool value) {
  checked_ = value;
  UpdateState();
}

void TMenuItem::SetEnabled(bool value) {
  enabled_ = value;
  UpdateState();
}

void TMenuItem::UpdateState() {
  if (!menu_) return;
  CheckMenuItem(menu_, command_, MF_BYCOMMAND | (checked_ ? MF_CHECKED : MF_UNCHECKED));
  EnableMenuItem(menu_, command_, MF_BYCOMMAND | (enabled_ ? MF_ENABLED : MF_GRAYED));
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::AppendItemsTo(HMENU menu) {
  for (TMenuItem* item : items_) {
    item->menu_ = menu;
    if (item->caption_ == "-") {
      AppendMenuA(menu, MF_SEPARATOR, item->command_, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item->checked_ ? MF_CHECKED : 0) | (item->enabled_ ? 0 : MF_GRAYED);
    if (item->items_.empty()) {
      AppendMenuA(menu, flags, item->command_, item->caption_.c_str());
    } else {
      HMENU submenu = CreatePopupMenu();  // owned by `menu` from here on
      item->AppendItemsTo(submenu);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), item->caption_.c_str());
    }
  }
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  auto found = MenuItems().find(command);
  return found == MenuItems().end() ? nullptr : found->second;
}

bool TMenuItem::DispatchCommand(UINT command) {
  TMenuItem* item = FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenuItem::ForgetMenu() {
  for (TMenuItem* item : items_) {
    item->menu_ = nullptr;
    item->ForgetMenu();
  }
}

TMainMenu::TMainMenu(TComponent* owner)
    : TComponent(owner), items_(new TMenuItem(this)) {}  // owned by this menu

TMainMenu::~TMainMenu() {
  // A menu still attached to a window is destroyed with the window.
  if (handle_ && !IsMenu(handle_)) handle_ = nullptr;
  if (handle_) DestroyMenu(handle_);
}

HMENU TMainMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenu();
    items_->AppendItemsTo(handle_);
  }
  return handle_;
}

void TMainMenu::Rebuild() {
  HMENU old = handle_;
  handle_ = nullptr;
  Handle();
  if (old) DestroyMenu(old);
}

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), items_(new TMenuItem(this)) {}  // owned by this menu

TMenuItem* TPopupMenu::Popup(int x, int y, HWND owner) {
  if (!owner) owner = GetActiveWindow();
  if (!owner) owner = Application().Handle();
  HMENU menu = CreatePopupMenu();
  items_->AppendItemsTo(menu);
  // The owner must be in front, or the menu does not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  items_->ForgetMenu();
  TMenuItem* item = chosen ? TMenuItem::FindCommand(chosen) : nullptr;
  if (item) item->Click();
  return item;
}
