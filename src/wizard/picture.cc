#include "wizard/picture.h"

#include <algorithm>

namespace xa {
namespace {

// Shares of the next source pixel are fractions of kOne, so that the blend of four pixels fits
// 32-bit integers: 255 * kOne * kOne < 2^24.
constexpr uint32_t kOne = 256;

// Where a target pixel's centre falls on the source along one axis: the source pixel at or
// before it, the one after (the same at the last), and the share of the one after.
struct TSample {
  size_t Before;
  size_t After;
  uint32_t Share;
};

// The samples of every target pixel when `from` pixels become `to`, centres mapped onto centres
// and held inside the outer pixels' centres.
std::vector<TSample> AxisSamples(int32_t from, int32_t to) {
  std::vector<TSample> samples(static_cast<size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (size_t i = 0; i < samples.size(); ++i) {
    const double centre =
        std::clamp((static_cast<double>(i) + 0.5) * step - 0.5, 0.0, static_cast<double>(from - 1));
    const auto before = static_cast<size_t>(centre);
    samples[i] = {before, std::min(before + 1, static_cast<size_t>(from - 1)),
                  static_cast<uint32_t>((centre - static_cast<double>(before)) * kOne + 0.5)};
  }
  return samples;
}

}  // namespace

TPicture ResizePicture(const TPicture& picture, int32_t width, int32_t height) {
  if (picture.Width <= 0 || picture.Height <= 0 || width <= 0 || height <= 0)
    return {};
  const std::vector<TSample> across = AxisSamples(picture.Width, width);
  const std::vector<TSample> down = AxisSamples(picture.Height, height);
  const size_t stride = static_cast<size_t>(picture.Width) * 3;
  TPicture resized{width, height, std::vector<uint8_t>(across.size() * down.size() * 3)};
  uint8_t* target = resized.Rgb.data();
  for (const TSample& y : down) {
    const uint8_t* top = picture.Rgb.data() + y.Before * stride;
    const uint8_t* bottom = picture.Rgb.data() + y.After * stride;
    for (const TSample& x : across) {
      for (size_t c = 0; c < 3; ++c) {
        const auto blend = [&x, c](const uint8_t* row) {
          return row[x.Before * 3 + c] * (kOne - x.Share) + row[x.After * 3 + c] * x.Share;
        };
        const uint32_t value = blend(top) * (kOne - y.Share) + blend(bottom) * y.Share;
        *target++ = static_cast<uint8_t>((value + kOne * kOne / 2) / (kOne * kOne));
      }
    }
  }
  return resized;
}

}  // namespace xa
