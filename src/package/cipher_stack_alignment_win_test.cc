#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "package/aes.h"
#include "package/cipher_blocks.h"
#include "package/cipher_stream.h"
#include "package/memory_stream.h"
#include "package/testing/cipher_samples.h"
#include "package/testing/misaligned_thread_win.h"

namespace xa {
namespace {

// A cipher path run on a thread that 32-bit Windows started with a stack aligned to 4 bytes
// only, as it starts the install run's thread.
class CipherOnMisalignedStackTest
    : public testing::TestWithParam<std::tuple<CipherPath, uint32_t>> {
 protected:
  void SetUp() override {
    if (!CipherPathAvailable(Path()))
      GTEST_SKIP() << "this processor lacks " << CipherPathName(Path());
  }
  void TearDown() override { CipherPathLimit = CipherPath::kVaes; }

  CipherPath Path() const { return std::get<0>(GetParam()); }
  uint32_t Misalignment() const { return std::get<1>(GetParam()); }
};

// Every key length and enough blocks for the wide loops and their tails.
TEST_P(CipherOnMisalignedStackTest, TransformsBlocksAsOnAnAlignedStack) {
  std::mt19937 random(Misalignment() + 1);
  for (const size_t key_length : {16, 24, 32}) {
    const Bytes key = RandomBytes(random, key_length);
    const Bytes data = RandomBytes(random, 16 * 67);
    for (const CipherDirection direction :
         {CipherDirection::kEncipher, CipherDirection::kDecipher}) {
      Bytes result = data;
      RunOnMisalignedThread(Misalignment(), [&] {
        CipherContext context;
        InitCipher(key.data(), static_cast<int32_t>(key.size()), context, direction);
        CipherSchedule schedule;
        PrepareSchedule(context, Path(), schedule);
        CipherBlocks(schedule, result.data(), static_cast<int64_t>(result.size() / 16));
      });
      EXPECT_TRUE(result == CipherOneByOne(key, direction, data))
          << "key of " << key_length << ", direction " << static_cast<int>(direction);
    }
  }
}

// The stored content of a package file deciphered as the install run does.
TEST_P(CipherOnMisalignedStackTest, DeciphersAStoredContent) {
  std::mt19937 random(Misalignment() + 7);
  const Bytes key = RandomBytes(random, 16);
  const Bytes plain = RandomBytes(random, 16 * 1000 + 5);
  TMemoryStream in_plain(plain);
  TMemoryStream stored;
  CipherStream(in_plain, stored, key.data(), 16, CipherDirection::kEncipher);
  CipherPathLimit = Path();
  Bytes deciphered;
  RunOnMisalignedThread(Misalignment(), [&] {
    TMemoryStream in(stored.Bytes());
    TMemoryStream out;
    CipherStream(in, out, key.data(), 16, CipherDirection::kDecipher);
    deciphered = out.Bytes();
  });
  EXPECT_TRUE(deciphered == plain);
}

INSTANTIATE_TEST_SUITE_P(EveryPathAndMisalignment,
                         CipherOnMisalignedStackTest,
                         testing::Combine(testing::Values(CipherPath::kReference,
                                                          CipherPath::kTables,
                                                          CipherPath::kAesNi,
                                                          CipherPath::kVaes),
                                          testing::Values(0u, 4u, 8u, 12u)),
                         [](const testing::TestParamInfo<std::tuple<CipherPath, uint32_t>>& info) {
                           return CipherPathName(std::get<0>(info.param)) + "_By" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace xa
