#include "package/aes.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "package/aes_sbox.h"

namespace xa {
namespace {

constexpr int kBlockSize = 16;

// The state is held as four column words; row r of a column is byte r of its word, counted from
// the least significant end, whatever the machine's byte order.
using Column = uint32_t;

Column LoadColumn(const uint8_t* bytes) {
  return Column{bytes[0]} | Column{bytes[1]} << 8 | Column{bytes[2]} << 16 | Column{bytes[3]} << 24;
}

void StoreColumn(Column column, uint8_t* bytes) {
  bytes[0] = static_cast<uint8_t>(column);
  bytes[1] = static_cast<uint8_t>(column >> 8);
  bytes[2] = static_cast<uint8_t>(column >> 16);
  bytes[3] = static_cast<uint8_t>(column >> 24);
}

uint32_t Row(Column column, int row) {
  return (column >> (8 * row)) & 0xff;
}

// XTime on each of the four bytes at once.
Column XTimes(Column w) {
  return ((w & 0x7f7f7f7f) << 1) ^ (((w >> 7) & 0x01010101) * 0x1b);
}

// Byte r of the result is 2a(r) ^ 3a(r+1) ^ a(r+2) ^ a(r+3), indices mod 4.
Column MixColumn(Column w) {
  const Column r1 = std::rotr(w, 8);
  return XTimes(w ^ r1) ^ r1 ^ std::rotr(w, 16) ^ std::rotr(w, 24);
}

// The InvMixColumns matrix is the MixColumns matrix times one with rows 5 0 4 0 (rotated), so
// that step first and MixColumns after.
Column InvMixColumn(Column w) {
  return MixColumn(w ^ XTimes(XTimes(w ^ std::rotr(w, 16))));
}

struct State {
  Column c[4];
};

State LoadState(const uint8_t* block) {
  return {
      {LoadColumn(block), LoadColumn(block + 4), LoadColumn(block + 8), LoadColumn(block + 12)}};
}

void StoreState(const State& s, uint8_t* block) {
  for (int c = 0; c < 4; ++c)
    StoreColumn(s.c[c], block + 4 * c);
}

void AddRoundKey(State& s, const uint8_t* round_key) {
  for (int c = 0; c < 4; ++c)
    s.c[c] ^= LoadColumn(round_key + 4 * c);
}

// Row r of column c comes from column c + r (ShiftRows), through the S-box.
State SubBytesShiftRows(const State& s) {
  const uint8_t* box = SBoxTables().forward;
  State t;
  for (int c = 0; c < 4; ++c) {
    t.c[c] = Column{box[Row(s.c[c], 0)]} | Column{box[Row(s.c[(c + 1) & 3], 1)]} << 8 |
             Column{box[Row(s.c[(c + 2) & 3], 2)]} << 16 |
             Column{box[Row(s.c[(c + 3) & 3], 3)]} << 24;
  }
  return t;
}

// Row r of column c comes from column c - r (InvShiftRows), through the inverse S-box.
State InvSubBytesShiftRows(const State& s) {
  const uint8_t* box = SBoxTables().inverse;
  State t;
  for (int c = 0; c < 4; ++c) {
    t.c[c] = Column{box[Row(s.c[c], 0)]} | Column{box[Row(s.c[(c + 3) & 3], 1)]} << 8 |
             Column{box[Row(s.c[(c + 2) & 3], 2)]} << 16 |
             Column{box[Row(s.c[(c + 1) & 3], 3)]} << 24;
  }
  return t;
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
  const uint8_t* box = SBoxTables().forward;
  uint8_t rcon = 1;
  for (int i = nk; i < words; ++i) {
    const uint8_t* previous = context.round_keys + 4 * (i - 1);
    uint8_t temp[4] = {previous[0], previous[1], previous[2], previous[3]};
    if (i % nk == 0) {
      const uint8_t first = temp[0];
      temp[0] = static_cast<uint8_t>(box[temp[1]] ^ rcon);
      temp[1] = box[temp[2]];
      temp[2] = box[temp[3]];
      temp[3] = box[first];
      rcon = XTime(rcon);
    } else if (nk > 6 && i % nk == 4) {
      for (uint8_t& b : temp)
        b = box[b];
    }
    const uint8_t* back = context.round_keys + 4 * (i - nk);
    uint8_t* word = context.round_keys + 4 * i;
    for (int j = 0; j < 4; ++j)
      word[j] = static_cast<uint8_t>(back[j] ^ temp[j]);
  }
}

void InvMixColumns(uint8_t* state) {
  for (int c = 0; c < 4; ++c)
    StoreColumn(InvMixColumn(LoadColumn(state + 4 * c)), state + 4 * c);
}

void CipherBlock(const CipherContext& context, uint8_t* block) {
  const uint8_t* keys = context.round_keys;
  const int rounds = context.rounds;
  State s = LoadState(block);
  if (context.direction != CipherDirection::kDecipher) {
    AddRoundKey(s, keys);
    for (int round = 1; round < rounds; ++round) {
      s = SubBytesShiftRows(s);
      for (Column& column : s.c)
        column = MixColumn(column);
      AddRoundKey(s, keys + kBlockSize * round);
    }
    s = SubBytesShiftRows(s);
    AddRoundKey(s, keys + kBlockSize * rounds);
  } else {
    AddRoundKey(s, keys + kBlockSize * rounds);
    for (int round = rounds - 1; round > 0; --round) {
      s = InvSubBytesShiftRows(s);
      AddRoundKey(s, keys + kBlockSize * round);
      for (Column& column : s.c)
        column = InvMixColumn(column);
    }
    s = InvSubBytesShiftRows(s);
    AddRoundKey(s, keys);
  }
  StoreState(s, block);
}

}  // namespace xa
