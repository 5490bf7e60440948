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
  uint8_t forward[256] = {};
  uint8_t inverse[256] = {};
};

constexpr uint8_t RotateByteLeft(uint8_t b, int n) {
  return static_cast<uint8_t>((b << n) | (b >> (8 - n)));
}

// Builds both boxes from the field's definition so that no table is typed in by hand.
constexpr SBoxes MakeSBoxes() {
  SBoxes boxes;
  // Powers and logarithms of the generator 3 give the multiplicative inverses.
  uint8_t exp[256] = {};
  uint8_t log[256] = {};
  uint8_t power = 1;
  for (int i = 0; i < 255; ++i) {
    exp[i] = power;
    log[power] = static_cast<uint8_t>(i);
    power = static_cast<uint8_t>(power ^ XTime(power));
  }
  for (int x = 0; x < 256; ++x) {
    const uint8_t inverse = x == 0 ? 0 : exp[(255 - log[x]) % 255];
    const uint8_t s =
        static_cast<uint8_t>(inverse ^ RotateByteLeft(inverse, 1) ^ RotateByteLeft(inverse, 2) ^
                             RotateByteLeft(inverse, 3) ^ RotateByteLeft(inverse, 4) ^ 0x63);
    boxes.forward[x] = s;
    boxes.inverse[s] = static_cast<uint8_t>(x);
  }
  return boxes;
}

// Computed at compile time. A copy in each of the two files that use it: as one shared inline
// variable the linker's link-time optimisation of the program warns that it finds no symbol
// for its section.
constexpr SBoxes kSBoxes = MakeSBoxes();

}  // namespace xa

#endif  // XA_PACKAGE_AES_SBOX_H_
