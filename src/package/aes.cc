#include "package/aes.h"

#include <algorithm>
#include <cstring>

namespace xa {
namespace {

constexpr int kBlockSize = 16;

constexpr uint8_t XTime(uint8_t b) {
  return static_cast<uint8_t>((b << 1) ^ ((b & 0x80) != 0 ? 0x1b : 0));
}

constexpr uint8_t Multiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  for (; b != 0; b = static_cast<uint8_t>(b >> 1)) {
    if ((b & 1) != 0)
      product = static_cast<uint8_t>(product ^ a);
    a = XTime(a);
  }
  return product;
}

constexpr uint8_t RotateLeft(uint8_t b, int n) {
  return static_cast<uint8_t>((b << n) | (b >> (8 - n)));
}

// The S-boxes and the GF(2^8) products that MixColumns and InvMixColumns need, built at compile
// time from the field's definition so that no table is typed in by hand.
struct Tables {
  uint8_t sbox[256] = {};
  uint8_t inv_sbox[256] = {};
  uint8_t mul2[256] = {};
  uint8_t mul3[256] = {};
  uint8_t mul9[256] = {};
  uint8_t mul11[256] = {};
  uint8_t mul13[256] = {};
  uint8_t mul14[256] = {};
};

constexpr Tables MakeTables() {
  Tables t;
  // Powers and logarithms of the generator 3 give the multiplicative inverses.
  uint8_t exp[256] = {};
  uint8_t log[256] = {};
  uint8_t power = 1;
  for (int i = 0; i < 255; ++i) {
    exp[i] = power;
    log[power] = static_cast<uint8_t>(i);
    power = Multiply(power, 3);
  }
  for (int x = 0; x < 256; ++x) {
    const uint8_t inverse = x == 0 ? 0 : exp[(255 - log[x]) % 255];
    const uint8_t s =
        static_cast<uint8_t>(inverse ^ RotateLeft(inverse, 1) ^ RotateLeft(inverse, 2) ^
                             RotateLeft(inverse, 3) ^ RotateLeft(inverse, 4) ^ 0x63);
    t.sbox[x] = s;
    t.inv_sbox[s] = static_cast<uint8_t>(x);
    const uint8_t b = static_cast<uint8_t>(x);
    t.mul2[x] = Multiply(b, 2);
    t.mul3[x] = Multiply(b, 3);
    t.mul9[x] = Multiply(b, 9);
    t.mul11[x] = Multiply(b, 11);
    t.mul13[x] = Multiply(b, 13);
    t.mul14[x] = Multiply(b, 14);
  }
  return t;
}

constexpr Tables kTables = MakeTables();

// Source index of each state byte after ShiftRows and InvShiftRows; the state is column-major,
// byte r + 4c holding row r of column c.
constexpr uint8_t kShiftRows[kBlockSize] = {0, 5, 10, 15, 4, 9, 14, 3, 8, 13, 2, 7, 12, 1, 6, 11};
constexpr uint8_t kInvShiftRows[kBlockSize] = {0, 13, 10, 7,  4,  1, 14, 11,
                                               8, 5,  2,  15, 12, 9, 6,  3};

void AddRoundKey(uint8_t* state, const uint8_t* round_key) {
  for (int i = 0; i < kBlockSize; ++i)
    state[i] = static_cast<uint8_t>(state[i] ^ round_key[i]);
}

void SubBytesShiftRows(uint8_t* state) {
  uint8_t t[kBlockSize];
  for (int i = 0; i < kBlockSize; ++i)
    t[i] = kTables.sbox[state[kShiftRows[i]]];
  std::memcpy(state, t, kBlockSize);
}

void InvSubBytesShiftRows(uint8_t* state) {
  uint8_t t[kBlockSize];
  for (int i = 0; i < kBlockSize; ++i)
    t[i] = kTables.inv_sbox[state[kInvShiftRows[i]]];
  std::memcpy(state, t, kBlockSize);
}

void MixColumns(uint8_t* state) {
  const Tables& m = kTables;
  for (uint8_t* c = state; c < state + kBlockSize; c += 4) {
    const uint8_t a0 = c[0], a1 = c[1], a2 = c[2], a3 = c[3];
    c[0] = static_cast<uint8_t>(m.mul2[a0] ^ m.mul3[a1] ^ a2 ^ a3);
    c[1] = static_cast<uint8_t>(a0 ^ m.mul2[a1] ^ m.mul3[a2] ^ a3);
    c[2] = static_cast<uint8_t>(a0 ^ a1 ^ m.mul2[a2] ^ m.mul3[a3]);
    c[3] = static_cast<uint8_t>(m.mul3[a0] ^ a1 ^ a2 ^ m.mul2[a3]);
  }
}

void InvMixColumns(uint8_t* state) {
  const Tables& m = kTables;
  for (uint8_t* c = state; c < state + kBlockSize; c += 4) {
    const uint8_t a0 = c[0], a1 = c[1], a2 = c[2], a3 = c[3];
    c[0] = static_cast<uint8_t>(m.mul14[a0] ^ m.mul11[a1] ^ m.mul13[a2] ^ m.mul9[a3]);
    c[1] = static_cast<uint8_t>(m.mul9[a0] ^ m.mul14[a1] ^ m.mul11[a2] ^ m.mul13[a3]);
    c[2] = static_cast<uint8_t>(m.mul13[a0] ^ m.mul9[a1] ^ m.mul14[a2] ^ m.mul11[a3]);
    c[3] = static_cast<uint8_t>(m.mul11[a0] ^ m.mul13[a1] ^ m.mul9[a2] ^ m.mul14[a3]);
  }
}

}  // namespace

void InitCipher(const uint8_t* key,
                int32_t key_length,
                CipherContext& context,
                CipherDirection direction) {
  context = CipherContext{};
  context.direction = direction;
  constexpr int32_t kRoundKeyBytes = sizeof(CipherContext::round_keys);
  if (key_length > 0)
    std::memcpy(context.round_keys, key, static_cast<size_t>(std::min(key_length, kRoundKeyBytes)));

  const int nk = std::clamp(key_length / 4, 4, 8);
  context.rounds = nk + 6;

  // FIPS-197 key expansion, one 4-byte word w[i] at a time.
  const int words = 4 * (context.rounds + 1);
  uint8_t rcon = 1;
  for (int i = nk; i < words; ++i) {
    const uint8_t* previous = context.round_keys + 4 * (i - 1);
    uint8_t temp[4] = {previous[0], previous[1], previous[2], previous[3]};
    if (i % nk == 0) {
      const uint8_t first = temp[0];
      temp[0] = static_cast<uint8_t>(kTables.sbox[temp[1]] ^ rcon);
      temp[1] = kTables.sbox[temp[2]];
      temp[2] = kTables.sbox[temp[3]];
      temp[3] = kTables.sbox[first];
      rcon = XTime(rcon);
    } else if (nk > 6 && i % nk == 4) {
      for (uint8_t& b : temp)
        b = kTables.sbox[b];
    }
    const uint8_t* back = context.round_keys + 4 * (i - nk);
    uint8_t* word = context.round_keys + 4 * i;
    for (int j = 0; j < 4; ++j)
      word[j] = static_cast<uint8_t>(back[j] ^ temp[j]);
  }
}

void CipherBlock(const CipherContext& context, uint8_t* block) {
  const uint8_t* keys = context.round_keys;
  const int rounds = context.rounds;
  if (context.direction != CipherDirection::kDecipher) {
    AddRoundKey(block, keys);
    for (int round = 1; round < rounds; ++round) {
      SubBytesShiftRows(block);
      MixColumns(block);
      AddRoundKey(block, keys + kBlockSize * round);
    }
    SubBytesShiftRows(block);
    AddRoundKey(block, keys + kBlockSize * rounds);
  } else {
    AddRoundKey(block, keys + kBlockSize * rounds);
    for (int round = rounds - 1; round > 0; --round) {
      InvSubBytesShiftRows(block);
      AddRoundKey(block, keys + kBlockSize * round);
      InvMixColumns(block);
    }
    InvSubBytesShiftRows(block);
    AddRoundKey(block, keys);
  }
}

}  // namespace xa
