#include "package/aes_sbox.h"

namespace xa {
namespace {

uint8_t RotateByteLeft(uint8_t b, int n) {
  return static_cast<uint8_t>((b << n) | (b >> (8 - n)));
}

SBoxes MakeSBoxes() {
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

}  // namespace

const SBoxes& SBoxTables() {
  static const SBoxes boxes = MakeSBoxes();
  return boxes;
}

}  // namespace xa
