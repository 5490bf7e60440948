#ifndef XA_PACKAGE_AES_SBOX_H_
#define XA_PACKAGE_AES_SBOX_H_

#include <cstdint>

namespace xa {

// Multiplication by x (that is 2) in GF(2^8) modulo the AES polynomial.
constexpr uint8_t XTime(uint8_t b) {
  return static_cast<uint8_t>((b << 1) ^ ((b & 0x80) != 0 ? 0x1b : 0));
}

// The product of `a` and `b` in GF(2^8) modulo the AES polynomial.
constexpr uint8_t GfMultiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  for (; b != 0; b = static_cast<uint8_t>(b >> 1), a = XTime(a)) {
    if ((b & 1) != 0)
      product = static_cast<uint8_t>(product ^ a);
  }
  return product;
}

// The S-box and its inverse.
struct SBoxes {
  uint8_t forward[256];
  uint8_t inverse[256];
};

// The S-box and its inverse, built from the field's definition at the first call (so that no
// table is typed in by hand, and none is stored in the program).
const SBoxes& SBoxTables();

}  // namespace xa

#endif  // XA_PACKAGE_AES_SBOX_H_
