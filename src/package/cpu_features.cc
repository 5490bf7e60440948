#include "package/cpu_features.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

#include <cstdint>

namespace xa {
namespace {

#if defined(__i386__) || defined(__x86_64__)

constexpr unsigned kLeaf1EdxSse2 = 1u << 26;
constexpr unsigned kLeaf1EcxAes = 1u << 25;
constexpr unsigned kLeaf1EcxOsXsave = 1u << 27;
constexpr unsigned kLeaf1EcxAvx = 1u << 28;
constexpr unsigned kLeaf7EbxAvx2 = 1u << 5;
constexpr unsigned kLeaf7EcxVaes = 1u << 9;
// XCR0 bits of the SSE and AVX register state.
constexpr uint64_t kXcr0SseAvx = 0x6;

// XGETBV by its encoding, so that no function needs the XSAVE target.
uint64_t ReadXcr0() {
  uint32_t low = 0;
  uint32_t high = 0;
  __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
  return uint64_t{high} << 32 | low;
}

CpuFeatures Detect() {
  CpuFeatures features;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
    return features;
  features.aes_ni = (edx & kLeaf1EdxSse2) != 0 && (ecx & kLeaf1EcxAes) != 0;
  const bool avx_state = (ecx & kLeaf1EcxOsXsave) != 0 && (ecx & kLeaf1EcxAvx) != 0 &&
                         (ReadXcr0() & kXcr0SseAvx) == kXcr0SseAvx;
  if (!features.aes_ni || !avx_state || __get_cpuid_max(0, nullptr) < 7)
    return features;
  __cpuid_count(7, 0, eax, ebx, ecx, edx);
  features.vaes = (ebx & kLeaf7EbxAvx2) != 0 && (ecx & kLeaf7EcxVaes) != 0;
  return features;
}

#else

CpuFeatures Detect() {
  return {};
}

#endif

}  // namespace

const CpuFeatures& DetectCpuFeatures() {
  static const CpuFeatures features = Detect();
  return features;
}

}  // namespace xa
