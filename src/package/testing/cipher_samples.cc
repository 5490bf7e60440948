#include "package/testing/cipher_samples.h"

namespace xa {

std::string CipherPathName(CipherPath path) {
  switch (path) {
    case CipherPath::kReference:
      return "Reference";
    case CipherPath::kTables:
      return "Tables";
    case CipherPath::kAesNi:
      return "AesNi";
    case CipherPath::kVaes:
      return "Vaes";
  }
  return "Unknown";
}

Bytes RandomBytes(std::mt19937& random, size_t size) {
  Bytes bytes(size);
  for (uint8_t& b : bytes)
    b = static_cast<uint8_t>(random());
  return bytes;
}

Bytes CipherOneByOne(const Bytes& key, CipherDirection direction, Bytes data) {
  CipherContext context;
  InitCipher(key.data(), static_cast<int32_t>(key.size()), context, direction);
  for (size_t i = 0; i + 16 <= data.size(); i += 16)
    CipherBlock(context, data.data() + i);
  return data;
}

}  // namespace xa
