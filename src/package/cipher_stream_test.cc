#include "package/cipher_stream.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "package/aes.h"
#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/sub_stream.h"

namespace xa {
namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kKey = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                    0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
const Bytes kWrongKey = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                         0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f};

Bytes Plain(size_t size) {
  Bytes bytes(size);
  uint32_t x = 12345;
  for (uint8_t& b : bytes) {
    x = x * 1103515245 + 12345;
    b = static_cast<uint8_t>(x >> 16);
  }
  return bytes;
}

Bytes Block(const Bytes& key, CipherDirection direction, Bytes block) {
  CipherContext context;
  InitCipher(key.data(), static_cast<int32_t>(key.size()), context, direction);
  CipherBlock(context, block.data());
  return block;
}

// The stored form built block by block from its definition, independent of CipherStream.
Bytes StoredForm(const Bytes& plain) {
  Bytes stored;
  const size_t whole = plain.size() / 16 * 16;
  for (size_t i = 0; i < whole; i += 16) {
    const Bytes block = Block(kKey, CipherDirection::kEncipher,
                              Bytes(plain.begin() + static_cast<ptrdiff_t>(i),
                                    plain.begin() + static_cast<ptrdiff_t>(i + 16)));
    stored.insert(stored.end(), block.begin(), block.end());
  }
  Bytes last(16, 0);
  std::copy(plain.begin() + static_cast<ptrdiff_t>(whole), plain.end(), last.begin());
  last[15] = static_cast<uint8_t>(plain.size() % 16);
  last = Block(kKey, CipherDirection::kEncipher, last);
  stored.insert(stored.end(), last.begin(), last.end());
  return stored;
}

Bytes Transform(const Bytes& input, const Bytes& key, CipherDirection direction) {
  TMemoryStream in(input);
  TMemoryStream out;
  CipherStream(in, out, key.data(), static_cast<int32_t>(key.size()), direction);
  return out.Bytes();
}

void ExpectInvalidFileFormat(TStream& input, TStream& output, const Bytes& key) {
  try {
    CipherStream(input, output, key.data(), static_cast<int32_t>(key.size()),
                 CipherDirection::kDecipher);
    FAIL() << "no exception";
  } catch (const ECipherException& e) {
    EXPECT_STREQ(kInvalidFileFormat, e.what());
  }
}

struct SizeCase {
  size_t plain_size;
  size_t stored_size;
};

class CipherStreamSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(CipherStreamSizeTest, EnciphersToStoredFormAndBack) {
  const Bytes plain = Plain(GetParam().plain_size);
  const Bytes stored = Transform(plain, kKey, CipherDirection::kEncipher);
  EXPECT_EQ(GetParam().stored_size, stored.size());
  EXPECT_EQ(StoredForm(plain), stored);
  EXPECT_EQ(plain, Transform(stored, kKey, CipherDirection::kDecipher));
}

// The final block's plain form: the remaining bytes, zero bytes, and their count at index 15.
TEST_P(CipherStreamSizeTest, FinalBlockCarriesCount) {
  const Bytes plain = Plain(GetParam().plain_size);
  const Bytes stored = Transform(plain, kKey, CipherDirection::kEncipher);
  ASSERT_GE(stored.size(), 16u);
  const Bytes last =
      Block(kKey, CipherDirection::kDecipher, Bytes(stored.end() - 16, stored.end()));
  const size_t rest = plain.size() % 16;
  EXPECT_EQ(rest, last[15]);
  for (size_t i = 0; i < 15; ++i)
    EXPECT_EQ(i < rest ? plain[plain.size() - rest + i] : 0, last[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(All,
                         CipherStreamSizeTest,
                         testing::Values(SizeCase{0, 16},
                                         SizeCase{1, 16},
                                         SizeCase{15, 16},
                                         SizeCase{16, 32},
                                         SizeCase{17, 32},
                                         SizeCase{100, 112},
                                         SizeCase{65536, 65552},
                                         SizeCase{200003, 200016}));

TEST(CipherStreamTest, EqualPlainBlocksGiveEqualStoredBlocks) {
  const Bytes stored = Transform(Bytes(48, 0x41), kKey, CipherDirection::kEncipher);
  ASSERT_EQ(64u, stored.size());
  EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + 16, stored.begin() + 16));
  EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + 16, stored.begin() + 32));
}

// Thirty-two stored bytes: one whole block written in full, then as many bytes of the final
// block as its count gives.
TEST(CipherStreamTest, WritesOnlyCountedBytesOfFinalBlock) {
  const Bytes plain = Plain(16);
  Bytes last(16, 0xcc);
  last[15] = 9;
  Bytes stored = Block(kKey, CipherDirection::kEncipher, plain);
  const Bytes final_block = Block(kKey, CipherDirection::kEncipher, last);
  stored.insert(stored.end(), final_block.begin(), final_block.end());

  Bytes expected = plain;
  expected.insert(expected.end(), 9, 0xcc);
  EXPECT_EQ(expected, Transform(stored, kKey, CipherDirection::kDecipher));
}

class CipherStreamTrailingTest : public testing::TestWithParam<size_t> {};

TEST_P(CipherStreamTrailingTest, IgnoresBytesAfterLastWholeBlock) {
  const Bytes plain = Plain(40);
  Bytes stored = StoredForm(plain);
  const size_t stored_size = stored.size();
  const Bytes trailing = Plain(GetParam() + 3);
  stored.insert(stored.end(), trailing.begin(), trailing.begin() + GetParam());

  TMemoryStream in(stored);
  TMemoryStream out;
  CipherStream(in, out, kKey.data(), 16, CipherDirection::kDecipher);
  EXPECT_EQ(plain, out.Bytes());
  EXPECT_EQ(static_cast<int64_t>(stored_size), in.Position());
}

INSTANTIATE_TEST_SUITE_P(All, CipherStreamTrailingTest, testing::Values(1u, 7u, 15u));

TEST(CipherStreamTest, WrongKeyWithCountAboveFifteenIsInvalid) {
  const Bytes stored = StoredForm(Plain(20));
  // Precondition of this case: under the wrong key the count byte comes out above 15.
  ASSERT_GT(
      Block(kWrongKey, CipherDirection::kDecipher, Bytes(stored.end() - 16, stored.end()))[15], 15);
  TMemoryStream in(stored);
  TMemoryStream out;
  ExpectInvalidFileFormat(in, out, kWrongKey);
  // The whole block before the final one was already written, deciphered under the wrong key.
  EXPECT_EQ(16u, out.Bytes().size());
}

class CipherStreamShortTest : public testing::TestWithParam<size_t> {};

TEST_P(CipherStreamShortTest, ContentBelowOneBlockIsInvalid) {
  TMemoryStream in(Plain(GetParam()));
  TMemoryStream out;
  ExpectInvalidFileFormat(in, out, kKey);
  EXPECT_TRUE(out.Bytes().empty());
}

INSTANTIATE_TEST_SUITE_P(All, CipherStreamShortTest, testing::Values(0u, 1u, 15u));

// A window longer than what is left of the stream under it makes the reads come up short; the
// blocks before the short one are written.
TEST(CipherStreamTest, WindowCutShortByEndOfBaseIsInvalid) {
  const Bytes plain = Plain(40);
  const Bytes stored = StoredForm(plain);  // 48 bytes
  TMemoryStream base(Bytes(stored.begin(), stored.begin() + 24));
  TSubStream window(&base, 0, 47, false);
  TMemoryStream out;
  ExpectInvalidFileFormat(window, out, kKey);
  EXPECT_EQ(Bytes(plain.begin(), plain.begin() + 16), out.Bytes());
}

TEST(CipherStreamTest, FinalBlockCutShortIsInvalid) {
  const Bytes stored = StoredForm(Plain(40));
  TMemoryStream base(Bytes(stored.begin(), stored.begin() + 40));
  TSubStream window(&base, 0, 47, false);
  TMemoryStream out;
  ExpectInvalidFileFormat(window, out, kKey);
  EXPECT_EQ(32u, out.Bytes().size());
}

TEST(CipherStreamTest, EncipherRaisesOnShortInput) {
  TMemoryStream base(Plain(20));
  TSubStream window(&base, 0, 40, false);
  TMemoryStream out;
  EXPECT_THROW(CipherStream(window, out, kKey.data(), 16, CipherDirection::kEncipher),
               ECipherException);
}

// Accepts `capacity` bytes in all, then refuses.
class FullDiskStream : public TMemoryStream {
 public:
  explicit FullDiskStream(int64_t capacity) : capacity_(capacity) {}
  int64_t Write(const void* buffer, int64_t count) override {
    const int64_t n = std::min(count, capacity_ - Size());
    return n > 0 ? TMemoryStream::Write(buffer, n) : 0;
  }

 private:
  int64_t capacity_;
};

class CipherStreamFullDiskTest : public testing::TestWithParam<std::pair<size_t, int64_t>> {};

TEST_P(CipherStreamFullDiskTest, ShortWriteRaises) {
  const auto [plain_size, capacity] = GetParam();
  TMemoryStream in(StoredForm(Plain(plain_size)));
  FullDiskStream out(capacity);
  try {
    CipherStream(in, out, kKey.data(), 16, CipherDirection::kDecipher);
    FAIL() << "no exception";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(kStreamWriteError, e.what());
  }
}

INSTANTIATE_TEST_SUITE_P(All,
                         CipherStreamFullDiskTest,
                         testing::Values(std::make_pair(size_t{100}, int64_t{50}),
                                         std::make_pair(size_t{100}, int64_t{99}),
                                         std::make_pair(size_t{100000}, int64_t{70000})));

// Records every progress call.
std::vector<std::pair<int32_t, int32_t>>* g_progress_calls = nullptr;

void RecordProgress(int32_t position, int32_t size) {
  g_progress_calls->emplace_back(position, size);
}

class CipherProgressTest : public testing::Test {
 protected:
  void SetUp() override {
    g_progress_calls = &calls_;
    CipherProgress = &RecordProgress;
  }
  void TearDown() override {
    CipherProgress = nullptr;
    g_progress_calls = nullptr;
  }

  std::vector<std::pair<int32_t, int32_t>> calls_;
};

TEST_F(CipherProgressTest, DecipherReportsEveryFourthBlockAndAtEnd) {
  const Bytes stored = StoredForm(Plain(130));  // 144 bytes: 8 whole blocks and the final one
  Transform(stored, kKey, CipherDirection::kDecipher);
  const std::vector<std::pair<int32_t, int32_t>> expected = {{64, 144}, {128, 144}, {144, 144}};
  EXPECT_EQ(expected, calls_);
}

TEST_F(CipherProgressTest, EncipherReportsEveryFourthBlockAndAtEnd) {
  Transform(Plain(130), kKey, CipherDirection::kEncipher);
  const std::vector<std::pair<int32_t, int32_t>> expected = {{64, 130}, {128, 130}, {130, 130}};
  EXPECT_EQ(expected, calls_);
}

TEST_F(CipherProgressTest, FinalCallEvenForSingleBlock) {
  Transform(StoredForm(Bytes()), kKey, CipherDirection::kDecipher);
  const std::vector<std::pair<int32_t, int32_t>> expected = {{16, 16}};
  EXPECT_EQ(expected, calls_);
}

// Positions are those of the input, here a window at an offset that is no multiple of 16 in
// the stream under it, and keep counting across the passes of the buffered transform.
TEST_F(CipherProgressTest, PositionsAreInputPositionsAcrossPasses) {
  // Two whole passes, 6250 whole blocks more and the final block.
  const Bytes stored = StoredForm(Plain(static_cast<size_t>(2 * CipherPassSize) + 100000));
  Bytes executable(40, 0x90);
  executable.insert(executable.end(), stored.begin(), stored.end());
  TMemoryStream base(executable);
  TSubStream window(&base, 40, static_cast<int64_t>(executable.size()) - 1, false);
  TMemoryStream out;
  CipherStream(window, out, kKey.data(), 16, CipherDirection::kDecipher);

  const int32_t size = static_cast<int32_t>(stored.size());
  std::vector<std::pair<int32_t, int32_t>> expected;
  for (int32_t position = 64; position <= size - 16; position += 64)
    expected.emplace_back(position, size);
  expected.emplace_back(size, size);
  EXPECT_EQ(expected, calls_);
}

TEST_F(CipherProgressTest, NoCallsAfterUnset) {
  CipherProgress = nullptr;
  Transform(StoredForm(Plain(300)), kKey, CipherDirection::kDecipher);
  EXPECT_TRUE(calls_.empty());
}

// Counts the reads asked of a memory stream and the largest count asked.
class CountingStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int64_t Read(void* buffer, int64_t count) override {
    ++reads;
    largest = std::max(largest, count);
    return TMemoryStream::Read(buffer, count);
  }
  int64_t Write(const void* buffer, int64_t count) override {
    ++writes;
    largest = std::max(largest, count);
    return TMemoryStream::Write(buffer, count);
  }

  int reads = 0;
  int writes = 0;
  int64_t largest = 0;
};

// A large content moves in a few bounded passes, not one read and one write per block.
TEST(CipherStreamTest, MovesLargeContentInBoundedPasses) {
  const Bytes plain = Plain(static_cast<size_t>(4 * CipherPassSize));
  CountingStream in(StoredForm(plain));
  CountingStream out;
  CipherStream(in, out, kKey.data(), 16, CipherDirection::kDecipher);
  EXPECT_EQ(plain, out.Bytes());
  EXPECT_LE(in.reads, 6);
  EXPECT_LE(out.writes, 6);
  EXPECT_LE(in.largest, CipherPassSize);
  EXPECT_LE(out.largest, CipherPassSize);
}

// How the install run uses it: one executable-like stream holding a program image followed by
// stored contents, each deciphered through its own window, the stream staying open.
TEST(CipherStreamTest, DeciphersFilesThroughWindowsOnOneStream) {
  const Bytes first = Plain(1000);
  const Bytes second = Plain(33);
  const Bytes first_stored = StoredForm(first);
  const Bytes second_stored = StoredForm(second);
  Bytes executable(4096, 0x90);
  const int64_t first_offset = static_cast<int64_t>(executable.size());
  executable.insert(executable.end(), first_stored.begin(), first_stored.end());
  const int64_t second_offset = static_cast<int64_t>(executable.size());
  executable.insert(executable.end(), second_stored.begin(), second_stored.end());
  executable.insert(executable.end(), 100, 0x5a);
  TMemoryStream exe(executable);

  struct Entry {
    int64_t offset;
    int64_t size;
    const Bytes* plain;
  };
  const Entry entries[] = {
      {second_offset, static_cast<int64_t>(second_stored.size()), &second},
      {first_offset, static_cast<int64_t>(first_stored.size()), &first},
  };
  for (const Entry& entry : entries) {
    TSubStream window(&exe, entry.offset, entry.offset + entry.size - 1, false);
    EXPECT_EQ(0, window.Seek(0, SeekOrigin::kBeginning));
    EXPECT_EQ(entry.offset, exe.Position());
    TMemoryStream target;
    CipherStream(window, target, kKey.data(), 16, CipherDirection::kDecipher);
    EXPECT_EQ(*entry.plain, target.Bytes()) << entry.offset;
    EXPECT_EQ(entry.offset + entry.size, exe.Position());
  }
}

}  // namespace
}  // namespace xa
