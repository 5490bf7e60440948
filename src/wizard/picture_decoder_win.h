#ifndef XA_WIZARD_PICTURE_DECODER_WIN_H_
#define XA_WIZARD_PICTURE_DECODER_WIN_H_

#include <cstdint>
#include <vector>

namespace xa {

// A decoded picture: rows top to bottom, 3 bytes (R, G, B) a pixel.
struct TPicture {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Rgb;
};

// A factor a picture is resized by: Numerator / Denominator, both above zero.
struct TPictureScale {
  uint32_t Numerator = 1;
  uint32_t Denominator = 1;
};

// Decodes JPEG file bytes with Windows' own JPEG decoder (the imaging component), so that the
// program carries no decoder of its own, and resizes the picture by `scale` (each side rounded
// to the nearest pixel, at least one) with the component's smooth Fant scaler. COM must be
// initialised on the calling thread. Raises Exception "Invalid JPEG data: <step>" for bytes the
// decoder refuses, for a zero scale, for a picture of more than 2^26 pixels before or after
// resizing, and when the imaging component is not available.
TPicture DecodeJpeg(const std::vector<uint8_t>& jpeg, TPictureScale scale = {});

// The same for PNG file bytes; raises Exception "Invalid PNG data: <step>".
TPicture DecodePng(const uint8_t* png, size_t size);

}  // namespace xa

#endif  // XA_WIZARD_PICTURE_DECODER_WIN_H_
