#ifndef XA_PACKAGE_JPEG_PICTURE_H_
#define XA_PACKAGE_JPEG_PICTURE_H_

#include <cstdint>
#include <vector>

namespace xa {

// A decoded picture: rows top to bottom, 3 bytes (R, G, B) a pixel.
struct TPicture {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Rgb;
};

// Decodes JPEG file bytes with libjpeg. Raises Exception "Invalid JPEG data: <reason>" for
// bytes libjpeg cannot read; never exits or crashes on damaged data.
TPicture DecodeJpeg(const std::vector<uint8_t>& jpeg);

}  // namespace xa

#endif  // XA_PACKAGE_JPEG_PICTURE_H_
