#include "framework/core/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
  // Free owned components last-created first, as forms free their controls.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    delete last;
  }
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component) { components_.push_back(component); }

void TComponent::RemoveComponent(TComponent* component) {
  // Also while this component is being destroyed: a component freed then may
  // free a sibling, which must leave the list before the loop reaches it.
  components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
}
