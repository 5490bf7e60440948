#include "package/aes_vaes.h"

#include "package/aes_ni.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#endif

namespace xa {

#if defined(__i386__) || defined(__x86_64__)

namespace {

constexpr int kBlockSize = 16;
// Registers in flight, two blocks each; few enough that nothing spills even with the eight
// vector registers of 32-bit code, because 64-bit Windows compilers cannot align 32-byte
// spill slots.
constexpr int kLanes = 4;
constexpr int kLaneBytes = 2 * kBlockSize;

#define XA_VAES __attribute__((target("vaes,avx2,aes")))

// A round key in both halves, loaded where it is used so that no key is held across rounds.
XA_VAES inline __m256i Key(const uint8_t* keys, int32_t round) {
  return _mm256_broadcastsi128_si256(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys + kBlockSize * round)));
}

template <bool kEncipher>
XA_VAES inline __m256i Round(__m256i block, __m256i key) {
  return kEncipher ? _mm256_aesenc_epi128(block, key) : _mm256_aesdec_epi128(block, key);
}

template <bool kEncipher>
XA_VAES inline __m256i LastRound(__m256i block, __m256i key) {
  return kEncipher ? _mm256_aesenclast_epi128(block, key) : _mm256_aesdeclast_epi128(block, key);
}

template <bool kEncipher>
XA_VAES void TransformLanes(const uint8_t* keys, int32_t rounds, uint8_t* data) {
  __m256i* lanes = reinterpret_cast<__m256i*>(data);
  __m256i b[kLanes];
  const __m256i first = Key(keys, 0);
#pragma GCC unroll 4
  for (int j = 0; j < kLanes; ++j)
    b[j] = _mm256_xor_si256(_mm256_loadu_si256(lanes + j), first);
  for (int32_t round = 1; round < rounds; ++round) {
    const __m256i key = Key(keys, round);
#pragma GCC unroll 4
    for (int j = 0; j < kLanes; ++j)
      b[j] = Round<kEncipher>(b[j], key);
  }
  const __m256i last = Key(keys, rounds);
#pragma GCC unroll 4
  for (int j = 0; j < kLanes; ++j)
    _mm256_storeu_si256(lanes + j, LastRound<kEncipher>(b[j], last));
}

// Returns how many blocks are left for the 128-bit path.
template <bool kEncipher>
XA_VAES int64_t Transform(const uint8_t* keys, int32_t rounds, uint8_t* data, int64_t count) {
  for (; count >= 2 * kLanes; count -= 2 * kLanes, data += kLaneBytes * kLanes)
    TransformLanes<kEncipher>(keys, rounds, data);
  return count;
}

}  // namespace

void VaesCipherBlocks(const uint8_t* keys,
                      int32_t rounds,
                      bool encipher,
                      uint8_t* data,
                      int64_t count) {
  const int64_t rest = encipher ? Transform<true>(keys, rounds, data, count)
                                : Transform<false>(keys, rounds, data, count);
  AesNiCipherBlocks(keys, rounds, encipher, data + kBlockSize * (count - rest), rest);
}

#else

void VaesCipherBlocks(const uint8_t*, int32_t, bool, uint8_t*, int64_t) {}

#endif

}  // namespace xa
