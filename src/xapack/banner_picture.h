#ifndef XA_XAPACK_BANNER_PICTURE_H_
#define XA_XAPACK_BANNER_PICTURE_H_

#include <cstdint>
#include <vector>

namespace xa::xapack {

// The width the wizard shows its banner at.
inline constexpr int32_t kBannerWidth = 160;

struct PixelSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The pixel size of JPEG file bytes, read from the frame header; the markers are followed from
// the start marker through every segment and scan to the end marker, so that a file cut short
// is refused too. Raises xa::Exception naming the reason when the bytes are not a whole JPEG
// file: no start marker, a segment that runs past the end, no frame header before the first
// scan, a frame of zero width or height, or no end marker.
PixelSize ReadBannerSize(const std::vector<uint8_t>& jpeg);

}  // namespace xa::xapack

#endif  // XA_XAPACK_BANNER_PICTURE_H_
