#include "package/aes_ni.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#endif

namespace xa {

#if defined(__i386__) || defined(__x86_64__)

namespace {

constexpr int kBlockSize = 16;
constexpr int kMaxRounds = 14;
constexpr int kLanes = 8;

// Compiled for AES-NI whatever the baseline, so one program runs everywhere and picks this at
// run time.
#define XA_AES_NI __attribute__((target("aes,sse2")))

template <bool kEncipher>
XA_AES_NI inline __m128i Round(__m128i block, __m128i key) {
  return kEncipher ? _mm_aesenc_si128(block, key) : _mm_aesdec_si128(block, key);
}

template <bool kEncipher>
XA_AES_NI inline __m128i LastRound(__m128i block, __m128i key) {
  return kEncipher ? _mm_aesenclast_si128(block, key) : _mm_aesdeclast_si128(block, key);
}

XA_AES_NI inline __m128i Load(const uint8_t* bytes) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}

XA_AES_NI inline void Store(uint8_t* bytes, __m128i value) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
}

// The rounds of independent blocks interleave, so the instruction's latency is hidden.
template <bool kEncipher>
XA_AES_NI void TransformLanes(const __m128i* k, int32_t rounds, uint8_t* data) {
  __m128i b[kLanes];
#pragma GCC unroll 8
  for (int j = 0; j < kLanes; ++j)
    b[j] = _mm_xor_si128(Load(data + kBlockSize * j), k[0]);
  for (int32_t round = 1; round < rounds; ++round) {
    const __m128i key = k[round];
#pragma GCC unroll 8
    for (int j = 0; j < kLanes; ++j)
      b[j] = Round<kEncipher>(b[j], key);
  }
#pragma GCC unroll 8
  for (int j = 0; j < kLanes; ++j)
    Store(data + kBlockSize * j, LastRound<kEncipher>(b[j], k[rounds]));
}

template <bool kEncipher>
XA_AES_NI void Transform(const uint8_t* keys, int32_t rounds, uint8_t* data, int64_t count) {
  __m128i k[kMaxRounds + 1];
  for (int32_t i = 0; i <= rounds; ++i)
    k[i] = Load(keys + kBlockSize * i);
  for (; count >= kLanes; count -= kLanes, data += kBlockSize * kLanes)
    TransformLanes<kEncipher>(k, rounds, data);
  for (; count > 0; --count, data += kBlockSize) {
    __m128i b = _mm_xor_si128(Load(data), k[0]);
    for (int32_t round = 1; round < rounds; ++round)
      b = Round<kEncipher>(b, k[round]);
    Store(data, LastRound<kEncipher>(b, k[rounds]));
  }
}

}  // namespace

void AesNiCipherBlocks(const uint8_t* keys,
                       int32_t rounds,
                       bool encipher,
                       uint8_t* data,
                       int64_t count) {
  if (encipher)
    Transform<true>(keys, rounds, data, count);
  else
    Transform<false>(keys, rounds, data, count);
}

#else

void AesNiCipherBlocks(const uint8_t*, int32_t, bool, uint8_t*, int64_t) {}

#endif

}  // namespace xa
