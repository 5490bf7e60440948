#ifndef XA_WIZARD_PICTURE_H_
#define XA_WIZARD_PICTURE_H_

#include <cstdint>
#include <vector>

namespace xa {

// A decoded picture: rows top to bottom, 3 bytes (R, G, B) a pixel.
struct TPicture {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Rgb;
};

// `picture` resized to `width` x `height` pixels smoothly (bilinear): each new pixel's centre
// is mapped onto the source and its colour blended from the four source pixels around it, so
// that edges blend instead of stepping. Meant for the display scales (a half to a few times);
// the same size gives the same pixels, an empty picture or size an empty picture. `picture`
// must hold Width * Height pixels.
TPicture ResizePicture(const TPicture& picture, int32_t width, int32_t height);

}  // namespace xa

#endif  // XA_WIZARD_PICTURE_H_
