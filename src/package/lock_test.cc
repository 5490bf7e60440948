#include "package/lock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace xa {
namespace {

// Threads that add to one plain counter while holding the lock lose none of their additions, and
// each release lets the next holder in.
TEST(LockTest, ThreadsHoldingItTakeTurns) {
  TLock lock;
  constexpr int kThreads = 4;
  constexpr int kAdditions = 50000;
  int64_t counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kAdditions; ++i) {
        const std::lock_guard<TLock> guard(lock);
        counter = counter + 1;
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(counter, int64_t{kThreads} * kAdditions);
}

}  // namespace
}  // namespace xa
