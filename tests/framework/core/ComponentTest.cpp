#include <gtest/gtest.h>

#include "framework/core/Component.h"
#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"

namespace {

struct Tracked : TComponent {
  Tracked(TComponent* owner, std::vector<std::string>* log, std::string name) : TComponent(owner), log_(log) {
    Name = std::move(name);
  }
  ~Tracked() override { log_->push_back(Name); }
  std::vector<std::string>* log_;
};

TEST(Component, OwnerFreesWhatItOwnsLastCreatedFirst) {
  std::vector<std::string> log;
  auto* owner = new Tracked(nullptr, &log, "owner");
  new Tracked(owner, &log, "a");
  auto* b = new Tracked(owner, &log, "b");
  new Tracked(b, &log, "b1");
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete owner;
  // Each destructor body runs before its base frees what it owns.
  EXPECT_EQ(log, (std::vector<std::string>{"owner", "b", "b1", "a"}));
}

TEST(Component, FreedComponentLeavesItsOwner) {
  std::vector<std::string> log;
  Tracked owner(nullptr, &log, "owner");
  auto* a = new Tracked(&owner, &log, "a");
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Dispatch, ExceptionOutOfAHandlerGoesToTheHandlerAndTheCallerGoesOn) {
  std::string shown;
  auto previous = SetExceptionHandler([&](const Exception& e) { shown = e.Message(); });
  DispatchEvent([] { throw EConvertError("'x' is not a valid integer value"); });
  EXPECT_EQ(shown, "'x' is not a valid integer value");
  SetExceptionHandler(previous);
}

}  // namespace

namespace {

struct FreesSibling : TComponent {
  FreesSibling(TComponent* owner, TComponent** sibling) : TComponent(owner), sibling_(sibling) {}
  ~FreesSibling() override { delete *sibling_; }
  TComponent** sibling_;
};

TEST(Component, ComponentFreeingASiblingWhileItsOwnerIsFreedFreesItOnce) {
  auto* owner = new TComponent(nullptr);
  TComponent* sibling = new TComponent(owner);
  new FreesSibling(owner, &sibling);
  delete owner;  // the sanitizer build reports a second free
}

}  // namespace
