#include <gtest/gtest.h>

#include <QTest>

#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"
#include "framework/core/Timer.h"

namespace {

TEST(Timer, TicksWhileEnabledAndStopsWhenDisabled) {
  TTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000);
  int ticks = 0;
  TObject* sender = nullptr;
  timer.OnTimer = [&](TObject* s) {
    ++ticks;
    sender = s;
  };
  timer.SetInterval(5);
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 5000);
  EXPECT_EQ(sender, &timer);

  timer.SetEnabled(false);
  ticks = 0;
  QTest::qWait(30);
  EXPECT_EQ(ticks, 0);
  // An interval of 0 keeps an enabled timer still.
  timer.SetInterval(0);
  timer.SetEnabled(true);
  QTest::qWait(30);
  EXPECT_EQ(ticks, 0);
}

TEST(Timer, AnErrorOfItsHandlerGoesToTheExceptionHandler) {
  std::string shown;
  auto previous = SetExceptionHandler([&](const Exception& error) { shown = error.Message(); });
  {
    TTimer timer(nullptr);
    timer.OnTimer = [&](TObject*) {
      timer.SetEnabled(false);
      throw Exception("clock failed");
    };
    timer.SetInterval(1);
    QTRY_COMPARE_WITH_TIMEOUT(shown, std::string("clock failed"), 5000);
  }
  SetExceptionHandler(previous);
}

TEST(Timer, LifetimeExpiresWithTheTimer) {
  std::weak_ptr<void> lifetime;
  {
    TTimer timer(nullptr);
    lifetime = timer.Lifetime();
    EXPECT_FALSE(lifetime.expired());
  }
  EXPECT_TRUE(lifetime.expired());
}

}  // namespace
