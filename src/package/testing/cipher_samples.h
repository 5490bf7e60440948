#ifndef XA_PACKAGE_TESTING_CIPHER_SAMPLES_H_
#define XA_PACKAGE_TESTING_CIPHER_SAMPLES_H_

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "package/aes.h"
#include "package/cipher_blocks.h"

namespace xa {

using Bytes = std::vector<uint8_t>;

// The path's name as test names show it: "Reference", "Tables", "AesNi" or "Vaes".
std::string CipherPathName(CipherPath path);

// `size` bytes drawn from `random`.
Bytes RandomBytes(std::mt19937& random, size_t size);

// `data` transformed one whole block at a time by CipherBlock, independent of CipherBlocks;
// bytes after the last whole block stay as they are.
Bytes CipherOneByOne(const Bytes& key, CipherDirection direction, Bytes data);

}  // namespace xa

#endif  // XA_PACKAGE_TESTING_CIPHER_SAMPLES_H_
