#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"
#include "Control.h"

// One item of a menu bar or popup menu: a command with a caption ("&" marks the access key,
// "-" alone makes a separator), a check mark and an enabled state, or a submenu when it has
// items of its own.  Items are owned by the item or menu they were added to.
class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // Adds an item at the end and returns it.
  TMenuItem* Add(std::string caption, TNotifyEvent onClick = {});
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Item(int index) const { return items_.at(static_cast<size_t>(index)); }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  // The command id the item's window sends (WM_COMMAND) when it is chosen.
  UINT Command() const { return command_; }

  // Raises OnClick as choosing the item does.
  void Click();
  TNotifyEvent OnClick;

  // Appends this item's children to `menu`, submenus made as popup menus.
  void AppendItemsTo(HMENU menu);

  // Runs the item with this command id; false when no item has it.
  static bool DispatchCommand(UINT command);
  // The live item with this command id, or null.
  static TMenuItem* FindCommand(UINT command);

private:
  friend class TPopupMenu;
  void UpdateState();
  // The menu this item and its children were put into is gone.
  void ForgetMenu();

  std::vector<TMenuItem*> items_;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  UINT command_;
  // The menu the item was last put into, for changes of state while it is shown.
  HMENU menu_ = nullptr;
};

// A form's menu bar.  The form shows it when given it (TForm::SetMenu); after adding items
// to a menu in use, call the form's MenuChanged.
class TMainMenu : public TComponent {
public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  // The top-level entries of the bar.
  TMenuItem& Items() { return *items_; }

  HMENU Handle();
  void Rebuild();

private:
  TMenuItem* items_;
  HMENU handle_ = nullptr;
};

// A menu that opens at a point and runs the item the user chooses.
class TPopupMenu : public TComponent {
public:
  explicit TPopupMenu(TComponent* owner);

  TMenuItem& Items() { return *items_; }

  // Opens the menu with its top-left corner at (x, y) in screen coordinates, owned by
  // `owner` (null: the active window), and waits until it closes; the chosen item's OnClick
  // runs before it returns.  Returns the chosen item, or null.
  TMenuItem* Popup(int x, int y, HWND owner = nullptr);

private:
  TMenuItem* items_;
};
