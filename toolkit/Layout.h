#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "Component.h"
#include "Font.h"

class TWinControl;

// The Font of a row that keeps the dialog font.
inline const TFont LayoutDialogFont = {.Name = ""};
// The TabOrder of a row that tabs in row order.
inline constexpr int LayoutRowOrder = -1;

// One row of a window's layout table: a component of the window with its kind, the windowed
// control it lies on ("" for the window itself), its bounds in pixels of that parent's client
// area on a 96-DPI screen, its caption, a function that sets the rest of its properties, the
// font of a label (LayoutDialogFont: the dialog font) and the tab order of a windowed
// control.
//
// A window is written as its table plus its handlers, so that it reads like its design and a
// test can walk it.  Components that are not controls (menus, dialogs, timers) have no parent
// and no bounds; a width or height of 0 keeps the control's own.
//
// The tab order is the order of the rows (among the windowed controls on one parent, an
// earlier row comes first) unless a row gives its place: a window whose design lists its
// controls in one order and tabs through them in another gives every windowed row its
// TabOrder, 0 first among the controls of its parent.
//
// Bounds and font heights stay in 96-DPI pixels here: the form scales them for its screen
// (TForm::Scaled), no row does.
struct TLayoutItem {
  const char* Name;
  TComponentClass Kind;
  const char* Parent;
  int Left, Top, Width, Height;
  const char* Caption;
  void (*Properties)(TComponent& component) = nullptr;
  TFont Font = LayoutDialogFont;
  int TabOrder = LayoutRowOrder;
};

// A table as it was built: its rows and the component that owns what they made.
struct TLayoutTable {
  TComponent* Owner;
  std::vector<TLayoutItem> Items;
};

// Creates the table's components in order, owned by `window` and placed on it or on the
// parent each row names (which must come earlier in the table).  The window keeps the table
// (TWinControl::LayoutTables).
void ToolkitBuildLayout(TWinControl& window, std::initializer_list<TLayoutItem> items);
// The same for a control that lays out children it does not own: they are owned by `owner`
// (where they are found by name, parents named in the table included) and placed on
// `window` or on the parent each row names.
void ToolkitBuildLayout(TComponent& owner, TWinControl& window,
                        std::initializer_list<TLayoutItem> items);

// The component of that name among those `owner` owns, as a T; throws when there is none or
// it is of another kind.
TComponent* ToolkitFindComponent(const TComponent& owner, const std::string& name);

template <class T>
T& ToolkitFind(const TComponent& owner, const std::string& name) {
  auto* found = dynamic_cast<T*>(ToolkitFindComponent(owner, name));
  if (!found) throw std::logic_error("Component '" + name + "' is not of the expected kind");
  return *found;
}
