#ifndef XA_PACKAGE_AES_VAES_H_
#define XA_PACKAGE_AES_VAES_H_

#include <cstdint>

namespace xa {

// Transforms `count` 16-byte blocks at `data` in place with the AES instructions on 256-bit
// registers, two blocks a register. `keys` holds `rounds` + 1 round keys as for
// TableCipherBlocks. Only for processors where DetectCpuFeatures().vaes holds; on others the
// function does nothing.
void VaesCipherBlocks(const uint8_t* keys,
                      int32_t rounds,
                      bool encipher,
                      uint8_t* data,
                      int64_t count);

}  // namespace xa

#endif  // XA_PACKAGE_AES_VAES_H_
