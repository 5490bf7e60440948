#include "package/aes.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace xa {
namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::vector<uint8_t> Transform(const std::vector<uint8_t>& key,
                               CipherDirection direction,
                               std::vector<uint8_t> block) {
  CipherContext context;
  InitCipher(key.data(), static_cast<int32_t>(key.size()), context, direction);
  CipherBlock(context, block.data());
  return block;
}

struct KnownAnswer {
  const char* name;
  const char* key;
  const char* plain;
  const char* cipher;
};

// FIPS-197 appendix B and the example vectors of appendix C.
const KnownAnswer kKnownAnswers[] = {
    {"B", "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
     "3925841d02dc09fbdc118597196a0b32"},
    {"C1", "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"C2", "000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
     "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"C3", "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
};

class AesKnownAnswerTest : public testing::TestWithParam<KnownAnswer> {};

TEST_P(AesKnownAnswerTest, Enciphers) {
  const KnownAnswer& v = GetParam();
  EXPECT_EQ(FromHex(v.cipher),
            Transform(FromHex(v.key), CipherDirection::kEncipher, FromHex(v.plain)));
}

TEST_P(AesKnownAnswerTest, Deciphers) {
  const KnownAnswer& v = GetParam();
  EXPECT_EQ(FromHex(v.plain),
            Transform(FromHex(v.key), CipherDirection::kDecipher, FromHex(v.cipher)));
}

INSTANTIATE_TEST_SUITE_P(Fips197,
                         AesKnownAnswerTest,
                         testing::ValuesIn(kKnownAnswers),
                         [](const testing::TestParamInfo<KnownAnswer>& info) {
                           return std::string(info.param.name);
                         });

TEST(AesTest, ExpandsKeyAsFips197AppendixA1) {
  const std::vector<uint8_t> key = FromHex("2b7e151628aed2a6abf7158809cf4f3c");
  CipherContext context;
  InitCipher(key.data(), 16, context, CipherDirection::kEncipher);
  EXPECT_EQ(CipherDirection::kEncipher, context.direction);
  ASSERT_EQ(10, context.rounds);
  const std::vector<uint8_t> round_key_1(context.round_keys + 16, context.round_keys + 32);
  const std::vector<uint8_t> round_key_10(context.round_keys + 160, context.round_keys + 176);
  EXPECT_EQ(FromHex("a0fafe1788542cb123a339392a6c7605"), round_key_1);
  EXPECT_EQ(FromHex("d014f9a8c9ee2589e13f0cc8b6630ca6"), round_key_10);
  // Nothing past the last round key: the context starts zero-filled.
  for (int i = 176; i < 240; ++i)
    EXPECT_EQ(0, context.round_keys[i]) << i;
}

struct KeyLengthCase {
  int32_t key_length;
  int32_t rounds;
};

class AesKeyLengthTest : public testing::TestWithParam<KeyLengthCase> {};

// Nk = key length div 4, limited to 4..8; Nr = Nk + 6.
TEST_P(AesKeyLengthTest, RoundsFollowKeyLength) {
  const std::vector<uint8_t> key(64, 0x5a);
  CipherContext context;
  InitCipher(key.data(), GetParam().key_length, context, CipherDirection::kDecipher);
  EXPECT_EQ(GetParam().rounds, context.rounds);
  EXPECT_EQ(CipherDirection::kDecipher, context.direction);
}

INSTANTIATE_TEST_SUITE_P(All,
                         AesKeyLengthTest,
                         testing::Values(KeyLengthCase{-4, 10},
                                         KeyLengthCase{0, 10},
                                         KeyLengthCase{7, 10},
                                         KeyLengthCase{16, 10},
                                         KeyLengthCase{19, 10},
                                         KeyLengthCase{20, 11},
                                         KeyLengthCase{24, 12},
                                         KeyLengthCase{28, 13},
                                         KeyLengthCase{32, 14},
                                         KeyLengthCase{64, 14}));

TEST(AesTest, ShortKeyActsAsZeroPadded) {
  const std::vector<uint8_t> short_key = FromHex("0102030405");
  std::vector<uint8_t> padded_key = short_key;
  padded_key.resize(16, 0);
  const std::vector<uint8_t> plain = FromHex("00112233445566778899aabbccddeeff");
  EXPECT_EQ(Transform(padded_key, CipherDirection::kEncipher, plain),
            Transform(short_key, CipherDirection::kEncipher, plain));
}

TEST(AesTest, KeyBytesPastThirtyTwoAreIgnored) {
  std::vector<uint8_t> key =
      FromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
  key.resize(40, 0xee);
  EXPECT_EQ(
      FromHex("8ea2b7ca516745bfeafc49904b496089"),
      Transform(key, CipherDirection::kEncipher, FromHex("00112233445566778899aabbccddeeff")));
}

// Key lengths between the standard ones (Nk = 5, 6, 7) still pair Cipher with InvCipher.
TEST(AesTest, EveryKeyLengthDeciphersWhatItEnciphers) {
  std::vector<uint8_t> key(32);
  for (size_t i = 0; i < key.size(); ++i)
    key[i] = static_cast<uint8_t>(i * 37 + 11);
  const std::vector<uint8_t> plain = FromHex("f0e1d2c3b4a5968778695a4b3c2d1e0f");
  for (size_t length = 16; length <= 32; length += 4) {
    const std::vector<uint8_t> k(key.begin(), key.begin() + static_cast<ptrdiff_t>(length));
    const std::vector<uint8_t> stored = Transform(k, CipherDirection::kEncipher, plain);
    EXPECT_NE(plain, stored) << length;
    EXPECT_EQ(plain, Transform(k, CipherDirection::kDecipher, stored)) << length;
  }
}

TEST(AesTest, AnyNonZeroDirectionEnciphers) {
  const std::vector<uint8_t> key = FromHex("000102030405060708090a0b0c0d0e0f");
  EXPECT_EQ(FromHex("69c4e0d86a7b0430d8cdb78070b4c55a"),
            Transform(key, static_cast<CipherDirection>(0x80),
                      FromHex("00112233445566778899aabbccddeeff")));
}

}  // namespace
}  // namespace xa
