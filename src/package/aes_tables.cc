#include "package/aes_tables.h"

#include <bit>

#include "package/aes_sbox.h"

namespace xa {
namespace {

constexpr int kBlockSize = 16;
constexpr int kMaxRounds = 14;

// A column of the state as a word: row r is byte r, counted from the least significant end.
using Column = uint32_t;

// Table r maps a byte in row r of a column to that byte's share of the whole column after
// SubBytes and MixColumns (or InvSubBytes and InvMixColumns); table r is table 0 rotated by r
// rows.
struct RoundTables {
  Column encipher[4][256] = {};
  Column decipher[4][256] = {};
};

constexpr Column MakeColumn(uint8_t r0, uint8_t r1, uint8_t r2, uint8_t r3) {
  return Column{r0} | Column{r1} << 8 | Column{r2} << 16 | Column{r3} << 24;
}

RoundTables MakeRoundTables() {
  const SBoxes& boxes = SBoxTables();
  RoundTables tables;
  for (int x = 0; x < 256; ++x) {
    const uint8_t s = boxes.forward[x];
    const uint8_t i = boxes.inverse[x];
    const Column e = MakeColumn(GfMultiply(s, 2), s, s, GfMultiply(s, 3));
    const Column d =
        MakeColumn(GfMultiply(i, 14), GfMultiply(i, 9), GfMultiply(i, 13), GfMultiply(i, 11));
    for (int r = 0; r < 4; ++r) {
      tables.encipher[r][x] = std::rotl(e, 8 * r);
      tables.decipher[r][x] = std::rotl(d, 8 * r);
    }
  }
  return tables;
}

// Built at the first use rather than stored in the program: 8 KB less to download for a few
// microseconds once.
const RoundTables& Tables() {
  static const RoundTables tables = MakeRoundTables();
  return tables;
}

Column LoadColumn(const uint8_t* bytes) {
  return MakeColumn(bytes[0], bytes[1], bytes[2], bytes[3]);
}

void StoreColumn(Column column, uint8_t* bytes) {
  for (int r = 0; r < 4; ++r)
    bytes[r] = static_cast<uint8_t>(column >> (8 * r));
}

constexpr uint32_t Row(Column column, int row) {
  return (column >> (8 * row)) & 0xff;
}

// One inner round for output column c, whose row r comes from column (c + kStep * r) mod 4:
// kStep 1 is ShiftRows, 3 is InvShiftRows.
template <int kStep>
Column RoundColumn(const Column (&t)[4][256], const Column* s, int c, Column key) {
  return t[0][Row(s[c], 0)] ^ t[1][Row(s[(c + kStep) & 3], 1)] ^
         t[2][Row(s[(c + 2 * kStep) & 3], 2)] ^ t[3][Row(s[(c + 3 * kStep) & 3], 3)] ^ key;
}

// The last round: S-box and row shift only.
template <int kStep>
Column LastColumn(const uint8_t* box, const Column* s, int c, Column key) {
  return MakeColumn(box[Row(s[c], 0)], box[Row(s[(c + kStep) & 3], 1)],
                    box[Row(s[(c + 2 * kStep) & 3], 2)], box[Row(s[(c + 3 * kStep) & 3], 3)]) ^
         key;
}

template <int kStep>
void TransformBlocks(const Column* k,
                     int32_t rounds,
                     const Column (&t)[4][256],
                     const uint8_t* box,
                     uint8_t* data,
                     int64_t count) {
  for (; count > 0; --count, data += kBlockSize) {
    Column s[4];
    for (int c = 0; c < 4; ++c)
      s[c] = LoadColumn(data + 4 * c) ^ k[c];
    for (int32_t round = 1; round < rounds; ++round) {
      const Column* key = k + 4 * round;
      const Column n[4] = {RoundColumn<kStep>(t, s, 0, key[0]), RoundColumn<kStep>(t, s, 1, key[1]),
                           RoundColumn<kStep>(t, s, 2, key[2]),
                           RoundColumn<kStep>(t, s, 3, key[3])};
      for (int c = 0; c < 4; ++c)
        s[c] = n[c];
    }
    const Column* key = k + 4 * rounds;
    for (int c = 0; c < 4; ++c)
      StoreColumn(LastColumn<kStep>(box, s, c, key[c]), data + 4 * c);
  }
}

}  // namespace

void TableCipherBlocks(const uint8_t* keys,
                       int32_t rounds,
                       bool encipher,
                       uint8_t* data,
                       int64_t count) {
  Column k[4 * (kMaxRounds + 1)];
  for (int i = 0; i < 4 * (rounds + 1); ++i)
    k[i] = LoadColumn(keys + 4 * i);
  const RoundTables& tables = Tables();
  const SBoxes& boxes = SBoxTables();
  if (encipher)
    TransformBlocks<1>(k, rounds, tables.encipher, boxes.forward, data, count);
  else
    TransformBlocks<3>(k, rounds, tables.decipher, boxes.inverse, data, count);
}

}  // namespace xa
