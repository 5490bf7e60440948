#include "wizard/progress_batch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace xa {
namespace {

TEST(ProgressBatchTest, TakesTheReportsInOrderWithTheLastPercentOnce) {
  TProgressBatch batch;
  EXPECT_TRUE(batch.Take().Messages.empty());
  batch.Add("one", 10);
  batch.Add("two", 113);
  TProgressBatch::TReports taken = batch.Take();
  EXPECT_EQ(taken.Messages, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(taken.Percent, 113);
  EXPECT_TRUE(batch.Take().Messages.empty());
  batch.Add("three", -1);
  taken = batch.Take();
  EXPECT_EQ(taken.Messages, std::vector<std::string>{"three"});
  EXPECT_EQ(taken.Percent, -1);
}

// A run's thread reports while the GUI thread takes: every message arrives once, in order.
TEST(ProgressBatchTest, ReportsFromAnotherThreadArriveWholeAndInOrder) {
  TProgressBatch batch;
  constexpr int kReports = 20000;
  std::thread run([&batch] {
    for (int i = 0; i < kReports; ++i)
      batch.Add(std::to_string(i), i / 200);
  });
  std::vector<std::string> shown;
  int32_t last_percent = -1;
  while (shown.size() < static_cast<size_t>(kReports)) {
    TProgressBatch::TReports taken = batch.Take();
    if (!taken.Messages.empty())
      last_percent = taken.Percent;
    shown.insert(shown.end(), taken.Messages.begin(), taken.Messages.end());
  }
  run.join();
  ASSERT_EQ(shown.size(), static_cast<size_t>(kReports));
  for (int i = 0; i < kReports; ++i)
    ASSERT_EQ(shown[static_cast<size_t>(i)], std::to_string(i));
  EXPECT_EQ(last_percent, (kReports - 1) / 200);
}

}  // namespace
}  // namespace xa
