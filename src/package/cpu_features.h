#ifndef XA_PACKAGE_CPU_FEATURES_H_
#define XA_PACKAGE_CPU_FEATURES_H_

namespace xa {

// Instruction-set extensions the bulk cipher can use, as the processor and the system report
// them; all false on processors other than x86.
struct CpuFeatures {
  // AESENC and friends on 128-bit registers, with SSE2.
  bool aes_ni = false;
  // AESENC and friends on 256-bit registers: VAES and AVX2, with the system saving their state.
  bool vaes = false;
};

// Asks the processor once; later calls return the same answer.
const CpuFeatures& DetectCpuFeatures();

}  // namespace xa

#endif  // XA_PACKAGE_CPU_FEATURES_H_
