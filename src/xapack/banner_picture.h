#ifndef XA_XAPACK_BANNER_PICTURE_H_
#define XA_XAPACK_BANNER_PICTURE_H_

#include <cstdint>
#include <optional>
#include <vector>

namespace xa::xapack {

// The width the wizard shows its banner at.
inline constexpr int32_t kBannerWidth = 160;

struct PixelSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The pixel size of JPEG file bytes, decoded with libjpeg. Raises xa::Exception naming the
// reason when the bytes are not a JPEG picture. A build without libjpeg only checks the JPEG
// start marker and returns nullopt.
std::optional<PixelSize> ReadBannerSize(const std::vector<uint8_t>& jpeg);

}  // namespace xa::xapack

#endif  // XA_XAPACK_BANNER_PICTURE_H_
