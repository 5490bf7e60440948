#ifndef XA_PACKAGE_AES_TABLES_H_
#define XA_PACKAGE_AES_TABLES_H_

#include <cstdint>

namespace xa {

// Transforms `count` 16-byte blocks at `data` in place through 32-bit lookup tables; runs on any
// processor. `keys` holds `rounds` + 1 round keys of 16 bytes in the order they are applied: the
// cipher's when `encipher`, else the equivalent inverse cipher's (last key first, InvMixColumns
// applied to the inner ones).
void TableCipherBlocks(const uint8_t* keys,
                       int32_t rounds,
                       bool encipher,
                       uint8_t* data,
                       int64_t count);

}  // namespace xa

#endif  // XA_PACKAGE_AES_TABLES_H_
