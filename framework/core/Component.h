#pragma once

#include <string>
#include <vector>

#include "framework/core/Object.h"

/// A component with an owner: an owner frees every component it owns when it
/// is destroyed, and a component freed first leaves its owner's list.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  /// The components this one owns, in the order they were created.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }

  std::string Name;
  int Tag = 0;

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  TComponent* owner_;
  std::vector<TComponent*> components_;
};
