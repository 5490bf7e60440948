#include "package/read_buffer_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "package/errors.h"
#include "package/memory_stream.h"

namespace xa {
namespace {

// Counts the reads that reach it.
class TCountingStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int64_t Read(void* buffer, int64_t count) override {
    ++reads;
    return TMemoryStream::Read(buffer, count);
  }
  int reads = 0;
};

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(i * 7919 >> 5);
  return bytes;
}

TEST(ReadBufferStreamTest, SmallReadsAskTheBaseOncePerBlock) {
  const std::vector<uint8_t> bytes = Pattern(200001);
  TCountingStream base(bytes);
  base.Seek(5, SeekOrigin::kBeginning);
  TReadBufferStream stream(base);
  std::vector<uint8_t> read;
  uint8_t piece[7];
  for (int64_t count = 1, n; (n = stream.Read(piece, count)) > 0; count = count % 7 + 1)
    read.insert(read.end(), piece, piece + n);
  EXPECT_EQ(read, std::vector<uint8_t>(bytes.begin() + 5, bytes.end())) << "from the position";
  EXPECT_LT(base.reads, 10) << "a few for each of four blocks, not one for each of 57,000 pieces";
  EXPECT_EQ(stream.Write("x", 1), 0);
}

TEST(ReadBufferStreamTest, SeeksMoveWithinAndBeyondTheBlock) {
  const std::vector<uint8_t> bytes = Pattern(150000);
  TMemoryStream base(bytes);
  TReadBufferStream stream(base);
  struct Case {
    int64_t offset;
    SeekOrigin origin;
    int64_t position;
  };
  // Forward within the block, back to its start, past it, from the end, and back again.
  const Case cases[] = {{100, SeekOrigin::kBeginning, 100}, {-60, SeekOrigin::kCurrent, 44},
                        {0, SeekOrigin::kBeginning, 0},     {70000, SeekOrigin::kCurrent, 70004},
                        {-10, SeekOrigin::kEnd, 149990},    {136, SeekOrigin::kBeginning, 136}};
  for (const Case& c : cases) {
    ASSERT_EQ(stream.Seek(c.offset, c.origin), c.position) << c.position;
    uint8_t four[4] = {};
    ASSERT_EQ(stream.Read(four, 4), 4) << c.position;
    const uint8_t* expected = bytes.data() + c.position;
    EXPECT_EQ(std::vector<uint8_t>(four, four + 4), std::vector<uint8_t>(expected, expected + 4))
        << c.position;
  }
  EXPECT_THROW(stream.Seek(-141, SeekOrigin::kCurrent), EStreamError);
  EXPECT_EQ(stream.Seek(10, SeekOrigin::kEnd), 150010);
  uint8_t byte = 0;
  EXPECT_EQ(stream.Read(&byte, 1), 0) << "nothing past the end";
}

}  // namespace
}  // namespace xa
