#include <gtest/gtest.h>

#include <string>

#include "engine/settings_override.h"

namespace xa {
namespace {

TEST(DefaultExpertsRecordTest, StartsWith400) {
  const TExpertsRecord record = DefaultExpertsRecord();
  EXPECT_EQ(record.size(), 292u);
  EXPECT_EQ(record[0] | (record[1] << 8), 400);
  for (size_t i = 2; i < record.size(); ++i)
    EXPECT_EQ(record[i], 0) << i;
}

// A record whose every byte differs from 0 and 1, so that each write shows.
TExpertsRecord MarkedRecord() {
  TExpertsRecord record;
  for (size_t i = 0; i < record.size(); ++i)
    record[i] = static_cast<uint8_t>(0x40 + i % 64);
  return record;
}

struct PatchCase {
  const char* settings;
  int expected[8];  // per switch: 1, 0, or -1 for unchanged
};

class PatchExpertsRecordTest : public testing::TestWithParam<PatchCase> {};

TEST_P(PatchExpertsRecordTest, WritesOnlyTheSwitchBytes) {
  const TExpertsRecord before = MarkedRecord();
  TExpertsRecord record = before;
  PatchExpertsRecord(record, GetParam().settings);
  TExpertsRecord expected = before;
  for (size_t i = 0; i < 8; ++i) {
    if (GetParam().expected[i] >= 0)
      expected[kSwitchOffsets[i]] = static_cast<uint8_t>(GetParam().expected[i]);
  }
  EXPECT_EQ(record, expected);
}

INSTANTIATE_TEST_SUITE_P(Settings,
                         PatchExpertsRecordTest,
                         testing::Values(PatchCase{"11111111", {1, 1, 1, 1, 1, 1, 1, 1}},
                                         PatchCase{"00000000", {0, 0, 0, 0, 0, 0, 0, 0}},
                                         PatchCase{"1 0", {1, -1, 0, -1, -1, -1, -1, -1}},
                                         PatchCase{"", {-1, -1, -1, -1, -1, -1, -1, -1}},
                                         PatchCase{"x1Y 10-1", {0, 1, 0, -1, 1, 0, 0, 1}},
                                         PatchCase{"   1 1  000", {-1, -1, -1, 1, -1, 1, -1, -1}},
                                         PatchCase{"0001100011111", {0, 0, 0, 1, 1, 0, 0, 0}}));

TEST(PatchExpertsRecordTest, SwitchesLieAtTheirOwnOffsets) {
  for (size_t i = 0; i < 8; ++i) {
    TExpertsRecord record = DefaultExpertsRecord();
    std::string settings(8, ' ');
    settings[i] = '1';
    PatchExpertsRecord(record, settings);
    const size_t offsets[] = {4, 8, 12, 36, 40, 20, 24, 28};
    for (size_t byte = 2; byte < record.size(); ++byte)
      EXPECT_EQ(record[byte], byte == offsets[i] ? 1 : 0) << i << " " << byte;
  }
}

TEST(ExpertsIniPathTest, JoinsWithOneBackslash) {
  EXPECT_EQ(ExpertsIniPath("C:\\MT4"), "C:\\MT4\\config\\experts.ini");
  EXPECT_EQ(ExpertsIniPath("C:\\MT4\\"), "C:\\MT4\\config\\experts.ini");
}

}  // namespace
}  // namespace xa
