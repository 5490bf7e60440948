#include "wizard/picture.h"

#include <algorithm>
#include <cmath>

namespace xa {
namespace {

// The source pixels that make one target pixel along one axis, with their weights (summing
// to one).
struct TTaps {
  int32_t First = 0;
  std::vector<float> Weights;
};

// The taps of every target pixel when `from` pixels become `to`: the target pixel's centre
// mapped back onto the source, and a tent one source pixel wide on each side, or one target
// pixel wide when shrinking. A radius of at least one pixel always takes in a source pixel.
std::vector<TTaps> AxisTaps(int32_t from, int32_t to) {
  const double scale = static_cast<double>(to) / from;
  const double radius = scale < 1 ? 1 / scale : 1;
  std::vector<TTaps> taps(static_cast<size_t>(to));
  for (int32_t i = 0; i < to; ++i) {
    const double centre = (i + 0.5) / scale - 0.5;
    const auto first = static_cast<int32_t>(std::max(0.0, std::floor(centre - radius) + 1));
    const auto last =
        static_cast<int32_t>(std::min<double>(from - 1, std::ceil(centre + radius) - 1));
    TTaps& tap = taps[static_cast<size_t>(i)];
    tap.First = first;
    double sum = 0;
    for (int32_t j = first; j <= last; ++j) {
      const double weight = 1 - std::abs(j - centre) / radius;
      tap.Weights.push_back(static_cast<float>(weight));
      sum += weight;
    }
    for (float& weight : tap.Weights)
      weight = static_cast<float>(weight / sum);
  }
  return taps;
}

}  // namespace

TPicture ResizePicture(const TPicture& picture, int32_t width, int32_t height) {
  if (picture.Width <= 0 || picture.Height <= 0 || width <= 0 || height <= 0)
    return {};
  const std::vector<TTaps> across = AxisTaps(picture.Width, width);
  const std::vector<TTaps> down = AxisTaps(picture.Height, height);
  // Rows resized across first, kept unrounded, then columns resized down.
  const size_t source_width = static_cast<size_t>(picture.Width);
  const size_t target_width = static_cast<size_t>(width);
  std::vector<float> rows(target_width * static_cast<size_t>(picture.Height) * 3);
  for (size_t y = 0; y < static_cast<size_t>(picture.Height); ++y) {
    const uint8_t* source = picture.Rgb.data() + y * source_width * 3;
    float* target = rows.data() + y * target_width * 3;
    for (size_t x = 0; x < target_width; ++x) {
      const TTaps& tap = across[x];
      for (size_t k = 0; k < tap.Weights.size(); ++k) {
        const uint8_t* pixel = source + (static_cast<size_t>(tap.First) + k) * 3;
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
      float value = 0;
      for (size_t k = 0; k < tap.Weights.size(); ++k)
        value +=
            tap.Weights[k] * rows[(static_cast<size_t>(tap.First) + k) * target_width * 3 + at];
      target[at] = static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
    }
  }
  return resized;
}

}  // namespace xa
