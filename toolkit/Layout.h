#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "Component.h"

class TWinControl;

// One row of a window's layout table: a component of the window with its kind, the windowed
// control it lies on ("" for the window itself), its bounds in pixels of that parent's client
// area, its caption, and a function that sets the rest of its properties.
//
// A window is written as its table plus its handlers, so that it reads like its design and a
// test can walk it.  Components that are not controls (menus, dialogs, timers) have no parent
// and no bounds; a width or height of 0 keeps the control's own.
struct TLayoutItem {
  const char* Name;
  TComponentClass Kind;
  const char* Parent;
  int Left, Top, Width, Height;
  const char* Caption;
  void (*Properties)(TComponent& component) = nullptr;
};

// Creates the table's components in order, owned by `window` and placed on it or on the
// parent each row names (which must come earlier in the table).
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
