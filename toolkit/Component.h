#pragma once

#include <functional>
#include <string>
#include <vector>

class TComponent;

// The event of every component that only says that something happened, and to whom.
using TNotifyEvent = std::function<void(TComponent* sender)>;

// The base of everything that lives in an ownership tree: forms, the controller, proxies,
// settings.  An owner destroys the components it owns when it is destroyed, the last owned
// first, so a component created after another (a form after the controller) goes first and
// may still call the earlier one from its destroy events.
//
// Ownership rule of the toolkit: a component created with an owner is deleted by that owner
// (or by deleting it directly, which takes it out of its owner's list).  A component created
// without an owner belongs to whoever created it.
class TComponent {
public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // The components this one owns, in creation order.  A copy: destroying one of them while
  // walking the list is safe.
  std::vector<TComponent*> Components() const { return components_; }

  // Destroys every owned component, the last created first.
  void DestroyComponents();

private:
  TComponent* owner_;
  std::vector<TComponent*> components_;
  std::string name_;
};

// A class reference: creates an object of one class with an owner.  Used where a program
// chooses which class of form the framework creates (the controller's class table).
using TComponentClass = TComponent* (*)(TComponent* owner);

template <class T>
TComponent* NewComponentOf(TComponent* owner) {
  return new T(owner);  // owned by owner (see the ownership rule above)
}

template <class T>
inline constexpr TComponentClass ComponentClass = &NewComponentOf<T>;
