#include "wizard/picture.h"

#include <algorithm>

namespace xa {
namespace {

// Weights are fixed-point fractions of kOne; integers only, so that no floating-point or maths
// library is linked for the resizing.
constexpr uint64_t kOne = 1 << 16;

// The source pixels that make one target pixel along one axis, with their weights (summing to
// about kOne).
struct TTaps {
  size_t First = 0;
  std::vector<uint32_t> Weights;
};

// The taps of every target pixel when `from` pixels become `to`: the target pixel's centre
// mapped back onto the source, and a tent one source pixel wide on each side, or one target
// pixel wide when shrinking. Lengths are counted in 1 / (2 * to) source pixels; a radius of at
// least one pixel always takes in a source pixel.
std::vector<TTaps> AxisTaps(int32_t from, int32_t to) {
  const int64_t pixel = 2 * int64_t{to};
  const int64_t radius = 2 * int64_t{std::max(from, to)};
  std::vector<TTaps> taps(static_cast<size_t>(to));
  for (int64_t i = 0; i < to; ++i) {
    const int64_t centre = (2 * i + 1) * from - to;
    const int64_t low = std::max<int64_t>(0, (centre - radius) / pixel - 1);
    const int64_t high = std::min<int64_t>(from - 1, (centre + radius) / pixel + 1);
    TTaps& tap = taps[static_cast<size_t>(i)];
    std::vector<int64_t> weights;
    int64_t sum = 0;
    for (int64_t j = low; j <= high; ++j) {
      const int64_t distance = j * pixel > centre ? j * pixel - centre : centre - j * pixel;
      if (distance >= radius)
        continue;
      if (weights.empty())
        tap.First = static_cast<size_t>(j);
      weights.push_back(radius - distance);
      sum += radius - distance;
    }
    for (const int64_t weight : weights)
      tap.Weights.push_back(static_cast<uint32_t>((weight * kOne + sum / 2) / sum));
  }
  return taps;
}

}  // namespace

TPicture ResizePicture(const TPicture& picture, int32_t width, int32_t height) {
  if (picture.Width <= 0 || picture.Height <= 0 || width <= 0 || height <= 0)
    return {};
  const std::vector<TTaps> across = AxisTaps(picture.Width, width);
  const std::vector<TTaps> down = AxisTaps(picture.Height, height);
  // Rows resized across first, kept as fractions of kOne, then columns resized down.
  const size_t source_width = static_cast<size_t>(picture.Width);
  const size_t target_width = static_cast<size_t>(width);
  std::vector<uint32_t> rows(target_width * static_cast<size_t>(picture.Height) * 3);
  for (size_t y = 0; y < static_cast<size_t>(picture.Height); ++y) {
    const uint8_t* source = picture.Rgb.data() + y * source_width * 3;
    uint32_t* target = rows.data() + y * target_width * 3;
    for (size_t x = 0; x < target_width; ++x) {
      const TTaps& tap = across[x];
      for (size_t k = 0; k < tap.Weights.size(); ++k) {
        const uint8_t* pixel = source + (tap.First + k) * 3;
        for (size_t c = 0; c < 3; ++c)
          target[x * 3 + c] += tap.Weights[k] * pixel[c];
      }
    }
  }
  TPicture resized{width, height, std::vector<uint8_t>(target_width * down.size() * 3)};
  for (size_t y = 0; y < down.size(); ++y) {
    const TTaps& tap = down[y];
    uint8_t* target = resized.Rgb.data() + y * target_width * 3;
    for (size_t at = 0; at < target_width * 3; ++at) {
      uint64_t value = kOne * kOne / 2;
      for (size_t k = 0; k < tap.Weights.size(); ++k)
        value += uint64_t{tap.Weights[k]} * rows[(tap.First + k) * target_width * 3 + at];
      target[at] = static_cast<uint8_t>(std::min<uint64_t>(value / (kOne * kOne), 255));
    }
  }
  return resized;
}

}  // namespace xa
