#ifndef XA_PACKAGE_AES_NI_H_
#define XA_PACKAGE_AES_NI_H_

#include <cstdint>

namespace xa {

// Transforms `count` 16-byte blocks at `data` in place with the processor's AES instructions,
// eight blocks in flight. `keys` holds `rounds` + 1 round keys as for TableCipherBlocks. Only for
// processors where DetectCpuFeatures().aes_ni holds; on others the function does nothing.
void AesNiCipherBlocks(const uint8_t* keys,
                       int32_t rounds,
                       bool encipher,
                       uint8_t* data,
                       int64_t count);

}  // namespace xa

#endif  // XA_PACKAGE_AES_NI_H_
