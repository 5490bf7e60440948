#include "package/cipher_blocks.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "package/aes.h"
#include "package/cipher_stream.h"
#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/sub_stream.h"
#include "package/testing/cipher_samples.h"

namespace xa {
namespace {

constexpr CipherPath kPaths[] = {CipherPath::kReference, CipherPath::kTables, CipherPath::kAesNi,
                                 CipherPath::kVaes};
constexpr CipherDirection kDirections[] = {CipherDirection::kEncipher, CipherDirection::kDecipher};
// Blocks in one pass of CipherStream.
constexpr int64_t kPassBlocks = CipherPassSize / 16;
// Enough blocks for every path's wide loops many times over.
constexpr int64_t kManyBlocks = 12288;

Bytes FromHex(const std::string& hex) {
  Bytes bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

// `data` transformed by CipherBlocks on `path`.
Bytes Blocks(CipherPath path, const Bytes& key, CipherDirection direction, Bytes data) {
  CipherContext context;
  InitCipher(key.data(), static_cast<int32_t>(key.size()), context, direction);
  CipherSchedule schedule;
  PrepareSchedule(context, path, schedule);
  CipherBlocks(schedule, data.data(), static_cast<int64_t>(data.size() / 16));
  return data;
}

Bytes Repeat(const Bytes& block, int times) {
  Bytes bytes;
  for (int i = 0; i < times; ++i)
    bytes.insert(bytes.end(), block.begin(), block.end());
  return bytes;
}

class CipherPathTest : public testing::TestWithParam<CipherPath> {
 protected:
  void SetUp() override {
    if (!CipherPathAvailable(GetParam()))
      GTEST_SKIP() << "this processor lacks " << CipherPathName(GetParam());
  }
  void TearDown() override { CipherPathLimit = CipherPath::kVaes; }
};

struct KnownAnswer {
  const char* key;
  const char* plain;
  const char* cipher;
};

// FIPS-197 appendix B and the example vectors of appendix C.
const KnownAnswer kKnownAnswers[] = {
    {"2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
     "3925841d02dc09fbdc118597196a0b32"},
    {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
     "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
};

// Nineteen copies reach the wide loops and their tails alike.
TEST_P(CipherPathTest, MeetsFips197Vectors) {
  for (const KnownAnswer& answer : kKnownAnswers) {
    const Bytes key = FromHex(answer.key);
    const Bytes plain = Repeat(FromHex(answer.plain), 19);
    const Bytes cipher = Repeat(FromHex(answer.cipher), 19);
    EXPECT_EQ(cipher, Blocks(GetParam(), key, CipherDirection::kEncipher, plain)) << answer.key;
    EXPECT_EQ(plain, Blocks(GetParam(), key, CipherDirection::kDecipher, cipher)) << answer.key;
  }
}

// Random data of random lengths, every residue of the block count modulo 16, every key length.
TEST_P(CipherPathTest, AgreesWithBlockByBlockOnRandomData) {
  std::mt19937 random(20261209);
  for (int residue = 0; residue < 16; ++residue) {
    const size_t key_length = 16 + 8 * static_cast<size_t>(residue % 3);
    const Bytes key = RandomBytes(random, key_length);
    const int64_t blocks =
        residue + 16 * static_cast<int64_t>(random() % static_cast<size_t>(kManyBlocks / 16));
    const Bytes data = RandomBytes(random, static_cast<size_t>(blocks) * 16);
    for (CipherDirection direction : kDirections) {
      const Bytes expected = CipherOneByOne(key, direction, data);
      EXPECT_TRUE(expected == Blocks(GetParam(), key, direction, data))
          << blocks << " blocks, key of " << key_length << ", direction "
          << static_cast<int>(direction);
    }
  }
}

TEST_P(CipherPathTest, DeciphersWhatEveryOtherPathEnciphers) {
  std::mt19937 random(7);
  const Bytes key = RandomBytes(random, 16);
  const Bytes plain = RandomBytes(random, 16 * 1000);
  for (CipherPath other : kPaths) {
    if (!CipherPathAvailable(other))
      continue;
    const Bytes cipher = Blocks(other, key, CipherDirection::kEncipher, plain);
    EXPECT_EQ(plain, Blocks(GetParam(), key, CipherDirection::kDecipher, cipher))
        << CipherPathName(other);
  }
}

TEST_P(CipherPathTest, ZeroBlocksLeaveDataAlone) {
  Bytes data(16, 0xa5);
  CipherContext context;
  InitCipher(data.data(), 16, context, CipherDirection::kEncipher);
  CipherSchedule schedule;
  PrepareSchedule(context, GetParam(), schedule);
  CipherBlocks(schedule, data.data(), 0);
  EXPECT_EQ(Bytes(16, 0xa5), data);
}

// The stored form built block by block from its definition.
Bytes StoredForm(const Bytes& key, const Bytes& plain) {
  Bytes padded = plain;
  padded.resize(plain.size() / 16 * 16 + 16, 0);
  padded.back() = static_cast<uint8_t>(plain.size() % 16);
  return CipherOneByOne(key, CipherDirection::kEncipher, padded);
}

Bytes Stream(const Bytes& input, const Bytes& key, CipherDirection direction) {
  TMemoryStream in(input);
  TMemoryStream out;
  CipherStream(in, out, key.data(), static_cast<int32_t>(key.size()), direction);
  return out.Bytes();
}

// Lengths around the passes' ends and random ones, every residue modulo 16.
TEST_P(CipherPathTest, StreamsRandomLengthsBothWays) {
  CipherPathLimit = GetParam();
  ASSERT_EQ(GetParam(), PreferredCipherPath());
  std::mt19937 random(99);
  const Bytes key = RandomBytes(random, 16);
  const int64_t random_blocks = static_cast<int64_t>(random() % 2000);
  const int64_t blocks[16] = {0,
                              1,
                              2,
                              7,
                              8,
                              9,
                              15,
                              16,
                              17,
                              random_blocks,
                              kPassBlocks - 1,
                              kPassBlocks,
                              kPassBlocks + 1,
                              2 * kPassBlocks + 3,
                              100,
                              33};
  for (int residue = 0; residue < 16; ++residue) {
    const size_t size = static_cast<size_t>(residue + 16 * blocks[residue]);
    const Bytes plain = RandomBytes(random, size);
    const Bytes stored = StoredForm(key, plain);
    EXPECT_TRUE(stored == Stream(plain, key, CipherDirection::kEncipher)) << size;
    EXPECT_TRUE(plain == Stream(stored, key, CipherDirection::kDecipher)) << size;
  }
}

// A window longer than its base: reads come up short. Returns what reached the output.
Bytes StreamCutShort(const Bytes& input, size_t cut, const Bytes& key, CipherDirection direction) {
  TMemoryStream base(Bytes(input.begin(), input.begin() + static_cast<ptrdiff_t>(cut)));
  TSubStream window(&base, 0, static_cast<int64_t>(input.size()) - 1, false);
  TMemoryStream out;
  try {
    CipherStream(window, out, key.data(), static_cast<int32_t>(key.size()), direction);
    ADD_FAILURE() << "no exception for a cut at " << cut;
  } catch (const ECipherException& e) {
    EXPECT_STREQ(kInvalidFileFormat, e.what());
  }
  return out.Bytes();
}

Bytes Prefix(const Bytes& bytes, size_t size) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(size));
}

// The blocks before the failure are written, in both directions, on every path.
TEST_P(CipherPathTest, TruncatedInputsWriteTheBlocksBeforeTheFailure) {
  CipherPathLimit = GetParam();
  std::mt19937 random(5);
  const Bytes key = RandomBytes(random, 16);
  const Bytes plain = RandomBytes(random, static_cast<size_t>(16 * (kPassBlocks + 3) + 9));
  const Bytes stored = StoredForm(key, plain);
  const size_t whole = plain.size() / 16;
  for (int i = 0; i < 8; ++i) {
    // The start, the second pass, the final block, and random places.
    const size_t fixed[] = {0, static_cast<size_t>(CipherPassSize) + 20, stored.size() - 1};
    const size_t cut = i < 3 ? fixed[i] : random() % stored.size();
    const size_t done = std::min(cut / 16, whole) * 16;
    EXPECT_TRUE(Prefix(plain, done) == StreamCutShort(stored, cut, key, CipherDirection::kDecipher))
        << cut;
    const size_t plain_cut = std::min(cut, plain.size() - 1);
    EXPECT_TRUE(Prefix(stored, plain_cut / 16 * 16) ==
                StreamCutShort(plain, plain_cut, key, CipherDirection::kEncipher))
        << plain_cut;
  }
}

INSTANTIATE_TEST_SUITE_P(All,
                         CipherPathTest,
                         testing::ValuesIn(kPaths),
                         [](const testing::TestParamInfo<CipherPath>& info) {
                           return CipherPathName(info.param);
                         });

class CipherPathLimitTest : public testing::Test {
 protected:
  void TearDown() override { CipherPathLimit = CipherPath::kVaes; }
};

TEST_F(CipherPathLimitTest, PreferredPathIsTheFastestAvailableBelowTheLimit) {
  for (CipherPath limit : kPaths) {
    CipherPathLimit = limit;
    const CipherPath preferred = PreferredCipherPath();
    EXPECT_LE(preferred, limit);
    EXPECT_TRUE(CipherPathAvailable(preferred));
    for (CipherPath faster : kPaths) {
      if (faster > preferred && faster <= limit) {
        EXPECT_FALSE(CipherPathAvailable(faster)) << CipherPathName(faster);
      }
    }
  }
}

TEST_F(CipherPathLimitTest, PortablePathsAreAlwaysAvailable) {
  EXPECT_TRUE(CipherPathAvailable(CipherPath::kReference));
  EXPECT_TRUE(CipherPathAvailable(CipherPath::kTables));
  EXPECT_GE(PreferredCipherPath(), CipherPath::kTables);
}

}  // namespace
}  // namespace xa
