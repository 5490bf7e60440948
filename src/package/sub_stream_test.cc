#include "package/sub_stream.h"

#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "package/errors.h"
#include "package/memory_stream.h"

namespace xa {
namespace {

std::vector<uint8_t> Counting(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  return bytes;
}

// A stream of any length whose byte at position p is p mod 251, without storing it.
class PatternStream : public TStream {
 public:
  explicit PatternStream(int64_t size) : size_(size) {}

  int64_t Read(void* buffer, int64_t count) override {
    int64_t n = 0;
    for (; n < count && position_ < size_; ++n, ++position_)
      static_cast<uint8_t*>(buffer)[n] = static_cast<uint8_t>(position_ % 251);
    return n;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    const int64_t base = origin == SeekOrigin::kBeginning ? 0
                         : origin == SeekOrigin::kCurrent ? position_
                                                          : size_;
    if (base + offset < 0)
      throw EStreamError(kSeekOutOfRange);
    position_ = base + offset;
    return position_;
  }

 private:
  int64_t size_;
  int64_t position_ = 0;
};

// Sets a flag when destroyed.
class WatchedStream : public TMemoryStream {
 public:
  explicit WatchedStream(bool* destroyed) : destroyed_(destroyed) {}
  ~WatchedStream() override { *destroyed_ = true; }

 private:
  bool* destroyed_;
};

TEST(SubStreamTest, WindowOfFiftyBytesReadsFiftyThenNothing) {
  TMemoryStream base(Counting(300));
  TSubStream window(&base, 100, 149, false);
  EXPECT_EQ(50, window.Size());
  EXPECT_EQ(0, window.Seek(0, SeekOrigin::kBeginning));
  EXPECT_EQ(100, base.Position());

  std::vector<uint8_t> buffer(80, 0xee);
  ASSERT_EQ(50, window.Read(buffer.data(), 80));
  const std::vector<uint8_t> expected(base.Bytes().begin() + 100, base.Bytes().begin() + 150);
  EXPECT_EQ(expected, std::vector<uint8_t>(buffer.begin(), buffer.begin() + 50));
  EXPECT_EQ(0xee, buffer[50]);
  EXPECT_EQ(50, window.Position());

  EXPECT_EQ(0, window.Read(buffer.data(), 80));
  EXPECT_EQ(150, base.Position());
}

struct BoundsCase {
  int64_t base_position;
  int64_t expected_position;
};

class SubStreamBoundsTest : public testing::TestWithParam<BoundsCase> {};

TEST_P(SubStreamBoundsTest, ConstructionMovesBaseIntoWindow) {
  TMemoryStream base(Counting(300));
  base.Seek(GetParam().base_position, SeekOrigin::kBeginning);
  TSubStream window(&base, 100, 149, false);
  EXPECT_EQ(GetParam().expected_position, base.Position());
  EXPECT_EQ(100, window.WindowStart());
  EXPECT_EQ(149, window.WindowEnd());
}

INSTANTIATE_TEST_SUITE_P(All,
                         SubStreamBoundsTest,
                         testing::Values(BoundsCase{0, 100},
                                         BoundsCase{99, 100},
                                         BoundsCase{100, 100},
                                         BoundsCase{120, 120},
                                         BoundsCase{149, 149},
                                         BoundsCase{150, 149},
                                         BoundsCase{299, 149}));

TEST(SubStreamTest, SetBoundsMovesBaseIntoNewWindow) {
  TMemoryStream base(Counting(300));
  TSubStream window(&base, 100, 149, false);
  window.SetBounds(200, 209);
  EXPECT_EQ(200, base.Position());
  EXPECT_EQ(10, window.Size());
  window.SetBounds(10, 19);
  EXPECT_EQ(19, base.Position());
}

TEST(SubStreamTest, SeeksRelativeToWindow) {
  TMemoryStream base(Counting(300));
  TSubStream window(&base, 100, 149, false);
  EXPECT_EQ(20, window.Seek(20, SeekOrigin::kBeginning));
  EXPECT_EQ(120, base.Position());
  EXPECT_EQ(25, window.Seek(5, SeekOrigin::kCurrent));
  EXPECT_EQ(15, window.Seek(-10, SeekOrigin::kCurrent));
  EXPECT_EQ(115, base.Position());
  EXPECT_EQ(45, window.Seek(-5, SeekOrigin::kEnd));
  EXPECT_EQ(145, base.Position());
  uint8_t byte = 0;
  ASSERT_EQ(1, window.Read(&byte, 1));
  EXPECT_EQ(base.Bytes()[145], byte);
}

struct BadSeekCase {
  int64_t offset;
  SeekOrigin origin;
  int64_t base_position_after;
};

class SubStreamBadSeekTest : public testing::TestWithParam<BadSeekCase> {};

// The base stream has already moved when the window reports the negative position.
TEST_P(SubStreamBadSeekTest, NegativePositionRaises) {
  TMemoryStream base(Counting(300));
  TSubStream window(&base, 100, 149, false);
  window.Seek(5, SeekOrigin::kBeginning);
  try {
    window.Seek(GetParam().offset, GetParam().origin);
    FAIL() << "no exception";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(kSeekOutOfRange, e.what());
  }
  EXPECT_EQ(GetParam().base_position_after, base.Position());
}

INSTANTIATE_TEST_SUITE_P(All,
                         SubStreamBadSeekTest,
                         testing::Values(BadSeekCase{-1, SeekOrigin::kBeginning, 99},
                                         BadSeekCase{-100, SeekOrigin::kBeginning, 0},
                                         BadSeekCase{-6, SeekOrigin::kCurrent, 99},
                                         BadSeekCase{-51, SeekOrigin::kEnd, 99}));

TEST(SubStreamTest, OverflowingSeekRaises) {
  PatternStream base(1000);
  TSubStream window(&base, 100, 149, false);
  EXPECT_THROW(window.Seek(std::numeric_limits<int64_t>::max(), SeekOrigin::kBeginning),
               EStreamError);
}

TEST(SubStreamTest, ReadPastWindowEndReturnsZeroNotNegative) {
  TMemoryStream base(Counting(300));
  TSubStream window(&base, 100, 149, false);
  base.Seek(200, SeekOrigin::kBeginning);
  uint8_t buffer[16];
  EXPECT_EQ(0, window.Read(buffer, 16));
  EXPECT_EQ(0, window.Write(buffer, 16));
  EXPECT_EQ(200, base.Position());
  EXPECT_EQ(300, base.Size());
}

TEST(SubStreamTest, EmptyOrInvertedWindowHasSizeZero) {
  TMemoryStream base(Counting(300));
  EXPECT_EQ(0, TSubStream(&base, 100, 99, false).Size());
  EXPECT_EQ(0, TSubStream(&base, 100, 10, false).Size());
  EXPECT_EQ(1, TSubStream(&base, 100, 100, false).Size());
}

TEST(SubStreamTest, WriteStopsAtWindowEnd) {
  TMemoryStream base(std::vector<uint8_t>(300, 0));
  TSubStream window(&base, 100, 149, false);
  window.Seek(45, SeekOrigin::kBeginning);
  const std::vector<uint8_t> data(10, 0xab);
  EXPECT_EQ(5, window.Write(data.data(), 10));
  for (size_t i = 0; i < 300; ++i)
    EXPECT_EQ(i >= 145 && i < 150 ? 0xab : 0, base.Bytes()[i]) << i;
}

TEST(SubStreamTest, ReadComesUpShortAtEndOfBaseStream) {
  TMemoryStream base(Counting(120));
  TSubStream window(&base, 100, 149, false);
  window.Seek(0, SeekOrigin::kBeginning);
  std::vector<uint8_t> buffer(50);
  EXPECT_EQ(20, window.Read(buffer.data(), 50));
  EXPECT_EQ(50, window.Size());
}

TEST(SubStreamTest, WindowBeyondFourGigabytes) {
  constexpr int64_t kStart = (int64_t{1} << 32) + 7;
  constexpr int64_t kEnd = kStart + (int64_t{3} << 31);
  PatternStream base(kEnd + 1000);
  TSubStream window(&base, kStart, kEnd, false);
  EXPECT_EQ(kStart, base.Position());
  EXPECT_EQ((int64_t{3} << 31) + 1, window.Size());

  const int64_t offset = (int64_t{1} << 32) + 3;
  EXPECT_EQ(offset, window.Seek(offset, SeekOrigin::kBeginning));
  EXPECT_EQ(kStart + offset, base.Position());
  uint8_t byte = 0;
  ASSERT_EQ(1, window.Read(&byte, 1));
  EXPECT_EQ((kStart + offset) % 251, byte);

  window.Seek(-2, SeekOrigin::kEnd);
  uint8_t buffer[8];
  EXPECT_EQ(2, window.Read(buffer, 8));
  EXPECT_EQ(kEnd % 251, buffer[1]);
}

TEST(SubStreamTest, HugeCountIsCutWithoutOverflow) {
  PatternStream base(1000);
  TSubStream window(&base, 100, 149, false);
  std::vector<uint8_t> buffer(50);
  EXPECT_EQ(50, window.Read(buffer.data(), std::numeric_limits<int64_t>::max()));
}

TEST(SubStreamTest, FreesBaseStreamOnlyWhenOwning) {
  bool destroyed = false;
  auto* base = new WatchedStream(&destroyed);
  {
    TSubStream window(base, 0, 9, false);
    EXPECT_FALSE(window.OwnsBaseStream());
    EXPECT_EQ(base, window.BaseStream());
  }
  EXPECT_FALSE(destroyed);
  {
    TSubStream window(base, 0, 9, true);
    EXPECT_TRUE(window.OwnsBaseStream());
  }
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace xa
