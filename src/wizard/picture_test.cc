#include "wizard/picture.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

namespace xa {
namespace {

using TRgb = std::array<uint8_t, 3>;

// A picture of `width` x `height` pixels, each coloured by `colour(x, y)`.
template <typename Colour>
TPicture MakePicture(int32_t width, int32_t height, Colour colour) {
  TPicture picture{width, height, {}};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const TRgb rgb = colour(x, y);
      picture.Rgb.insert(picture.Rgb.end(), rgb.begin(), rgb.end());
    }
  }
  return picture;
}

TRgb Pixel(const TPicture& picture, int32_t x, int32_t y) {
  const uint8_t* at = picture.Rgb.data() + (y * picture.Width + x) * 3;
  return {at[0], at[1], at[2]};
}

constexpr TRgb kRed = {200, 30, 40};
constexpr TRgb kBlue = {30, 50, 210};

// Red on the left half, blue on the right, with a hard edge between.
TPicture HardEdge(int32_t width, int32_t height) {
  return MakePicture(width, height,
                     [width](int32_t x, int32_t) { return x < width / 2 ? kRed : kBlue; });
}

TEST(ResizePictureTest, TheSameSizeKeepsEveryPixel) {
  const TPicture picture = MakePicture(7, 5, [](int32_t x, int32_t y) {
    return TRgb{static_cast<uint8_t>(x * 30), static_cast<uint8_t>(y * 50),
                static_cast<uint8_t>(x * y)};
  });
  const TPicture same = ResizePicture(picture, 7, 5);
  EXPECT_EQ(same.Width, 7);
  EXPECT_EQ(same.Height, 5);
  EXPECT_EQ(same.Rgb, picture.Rgb);
}

TEST(ResizePictureTest, EmptyPictureOrSizeGivesAnEmptyPicture) {
  const TPicture picture = HardEdge(4, 4);
  for (const auto& [from, width, height] :
       {std::tuple{TPicture{}, 4, 4}, std::tuple{picture, 0, 4}, std::tuple{picture, 4, 0},
        std::tuple{picture, -2, 4}}) {
    const TPicture resized = ResizePicture(from, width, height);
    EXPECT_EQ(resized.Width, 0);
    EXPECT_EQ(resized.Height, 0);
    EXPECT_TRUE(resized.Rgb.empty());
  }
}

TEST(ResizePictureTest, EnlargingInterpolatesBetweenPixelCentres) {
  const TPicture ramp = MakePicture(2, 1, [](int32_t x, int32_t) {
    return x == 0 ? TRgb{0, 0, 0} : TRgb{255, 255, 255};
  });
  const TPicture wide = ResizePicture(ramp, 4, 1);
  // New centres fall at -0.25, 0.25, 0.75 and 1.25 source pixels; the outer ones take the edge
  // pixel, the inner ones a quarter and three quarters of the way.
  const uint8_t expected[] = {0, 64, 191, 255};
  for (int32_t x = 0; x < 4; ++x)
    EXPECT_EQ(Pixel(wide, x, 0), (TRgb{expected[x], expected[x], expected[x]})) << x;
}

TEST(ResizePictureTest, AHardEdgeBlendsAndEachSideKeepsItsColour) {
  for (const auto& [width, height] : {std::pair{30, 20}, std::pair{40, 27}, std::pair{48, 32}}) {
    SCOPED_TRACE(width);
    const TPicture resized = ResizePicture(HardEdge(24, 16), width, height);
    ASSERT_EQ(resized.Width, width);
    ASSERT_EQ(resized.Height, height);
    ASSERT_EQ(resized.Rgb.size(), static_cast<size_t>(width * height * 3));
    for (int32_t y = 0; y < height; ++y) {
      EXPECT_EQ(Pixel(resized, 0, y), kRed);
      EXPECT_EQ(Pixel(resized, width - 1, y), kBlue);
      // Across the edge red falls and blue rises step by step, with at least one pixel between.
      int blended = 0;
      for (int32_t x = 1; x < width; ++x) {
        const TRgb left = Pixel(resized, x - 1, y);
        const TRgb right = Pixel(resized, x, y);
        EXPECT_LE(right[0], left[0]) << x;
        EXPECT_GE(right[2], left[2]) << x;
        if (right != kRed && right != kBlue)
          ++blended;
      }
      EXPECT_GE(blended, 1);
    }
  }
}

TEST(ResizePictureTest, HalvingAveragesEachBlockOfFour) {
  // A one-pixel checkerboard halved becomes even grey: each new centre lies between four pixels.
  const TPicture board = MakePicture(16, 16, [](int32_t x, int32_t y) {
    return (x + y) % 2 ? TRgb{255, 255, 255} : TRgb{0, 0, 0};
  });
  const TPicture half = ResizePicture(board, 8, 8);
  for (int32_t y = 0; y < 8; ++y) {
    for (int32_t x = 0; x < 8; ++x) {
      const TRgb pixel = Pixel(half, x, y);
      EXPECT_NEAR(pixel[0], 128, 1) << x << "," << y;
    }
  }
}

TEST(ResizePictureTest, AnEvenColourStaysEven) {
  const TPicture plain = MakePicture(5, 3, [](int32_t, int32_t) { return kBlue; });
  for (const auto& [width, height] : {std::pair{8, 5}, std::pair{10, 6}, std::pair{3, 2}}) {
    const TPicture resized = ResizePicture(plain, width, height);
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x)
        EXPECT_EQ(Pixel(resized, x, y), kBlue) << width << ": " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace xa
