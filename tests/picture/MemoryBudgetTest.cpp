// The memory budget the thumbnail workers share: a job that does not fit waits, a
// cancelled wait gives up, and a job larger than the whole budget runs alone.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "picture/MemoryBudget.h"

namespace {

void WaitUntilWaiting(const MemoryBudget& budget, int jobs) {
  while (budget.Waiting() < jobs) std::this_thread::yield();
}

}  // namespace

TEST(MemoryBudget, JobWaitsUntilItFits) {
  MemoryBudget budget(100);
  std::atomic<bool> cancelled{false};
  MemoryBudget::Lease first = budget.Acquire(80, cancelled);
  ASSERT_TRUE(first);
  std::atomic<qint64> heldWhenGranted{-1};
  std::thread second([&] {
    const MemoryBudget::Lease lease = budget.Acquire(50, cancelled);
    heldWhenGranted = budget.Held();
  });
  WaitUntilWaiting(budget, 1);
  EXPECT_EQ(heldWhenGranted, -1);
  EXPECT_EQ(budget.Held(), 80);
  first = MemoryBudget::Lease();  // the first job ends
  second.join();
  EXPECT_EQ(heldWhenGranted, 50);
  EXPECT_EQ(budget.Held(), 0);
  EXPECT_EQ(budget.PeakHeld(), 80);

  // Jobs that fit side by side do not wait.
  const MemoryBudget::Lease a = budget.Acquire(60, cancelled), b = budget.Acquire(40, cancelled);
  EXPECT_EQ(budget.Held(), 100);
}

TEST(MemoryBudget, CancelledWaitGivesUp) {
  MemoryBudget budget(100);
  std::atomic<bool> cancelled{false};
  const MemoryBudget::Lease held = budget.Acquire(100, cancelled);
  std::atomic<int> granted{-1};
  std::thread waiter([&] { granted = budget.Acquire(10, cancelled) ? 1 : 0; });
  WaitUntilWaiting(budget, 1);
  cancelled = true;
  budget.WakeAll();
  waiter.join();
  EXPECT_EQ(granted, 0);
  EXPECT_EQ(budget.Held(), 100);
  // Once cancelled, nothing more is handed out, even what would fit.
  EXPECT_FALSE(budget.Acquire(0, cancelled));
}

TEST(MemoryBudget, JobLargerThanTheBudgetRunsAlone) {
  MemoryBudget budget(100);
  std::atomic<bool> cancelled{false};
  MemoryBudget::Lease huge = budget.Acquire(500, cancelled);
  ASSERT_TRUE(huge);
  EXPECT_EQ(budget.Held(), 500);
  std::atomic<bool> smallGranted{false};
  std::thread small([&] {
    const MemoryBudget::Lease lease = budget.Acquire(1, cancelled);
    smallGranted = true;
  });
  WaitUntilWaiting(budget, 1);
  EXPECT_FALSE(smallGranted);
  huge = MemoryBudget::Lease();
  small.join();
  EXPECT_TRUE(smallGranted);
  EXPECT_EQ(budget.PeakHeld(), 500);
}
