#include "Layout.h"

#include "Label.h"
#include "WinControl.h"

TComponent* ToolkitFindComponent(const TComponent& owner, const std::string& name) {
  for (TComponent* component : owner.Components())
    if (component->Name() == name) return component;
  throw std::logic_error("No component named '" + name + "' in '" + owner.Name() + "'");
}

void ToolkitBuildLayout(TWinControl& window, std::initializer_list<TLayoutItem> items) {
  ToolkitBuildLayout(window, window, items);
}

void ToolkitBuildLayout(TComponent& owner, TWinControl& window,
                        std::initializer_list<TLayoutItem> items) {
  for (const TLayoutItem& item : items) {
    TComponent* component = item.Kind(&owner);
    component->SetName(item.Name);
    if (auto* control = dynamic_cast<TControl*>(component)) {
      // Font and properties first: a label sized to its text measures it in that font.
      if (auto* label = dynamic_cast<TLabel*>(control); label && !item.Font.Name.empty())
        label->SetFont(item.Font);
      if (item.Properties) item.Properties(*component);
      if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && item.TabOrder >= 0)
        windowed->SetTabOrder(item.TabOrder);
      const int width = item.Width ? item.Width : control->Width();
      const int height = item.Height ? item.Height : control->Height();
      control->SetBounds(item.Left, item.Top, width, height);
      if (item.Caption) {
        if (auto* label = dynamic_cast<TLabel*>(control)) label->SetCaption(item.Caption);
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->SetCaption(item.Caption);
      }
      TWinControl* parent = &window;
      if (item.Parent && *item.Parent)
        parent = &ToolkitFind<TWinControl>(owner, item.Parent);
      control->SetParent(parent);
    } else if (item.Properties) {
      item.Properties(*component);
    }
  }
  window.AddLayoutTable({&owner, std::vector<TLayoutItem>(items)});
}
