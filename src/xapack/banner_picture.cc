#include "xapack/banner_picture.h"

#include "package/errors.h"

#if XA_HAVE_JPEG
#include "package/jpeg_picture.h"
#endif

namespace xa::xapack {

std::optional<PixelSize> ReadBannerSize(const std::vector<uint8_t>& jpeg) {
#if XA_HAVE_JPEG
  const TPicture picture = DecodeJpeg(jpeg);
  return PixelSize{picture.Width, picture.Height};
#else
  if (jpeg.size() < 3 || jpeg[0] != 0xFF || jpeg[1] != 0xD8 || jpeg[2] != 0xFF)
    throw Exception("Invalid JPEG data: no JPEG start marker");
  return std::nullopt;
#endif
}

}  // namespace xa::xapack
