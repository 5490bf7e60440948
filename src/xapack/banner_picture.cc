#include "xapack/banner_picture.h"

#include <optional>
#include <string>

#include "package/errors.h"

namespace xa::xapack {
namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;

[[noreturn]] void Refuse(const std::string& reason) {
  throw Exception("Invalid JPEG data: " + reason);
}

// Start-of-frame markers: 0xC0 to 0xCF except the Huffman table (C4), the reserved JPG (C8)
// and the arithmetic conditioning (CC) markers.
bool IsFrameMarker(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restart markers.
bool IsStandalone(uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

uint32_t ReadU16(const std::vector<uint8_t>& jpeg, size_t at) {
  return static_cast<uint32_t>(jpeg[at]) << 8 | jpeg[at + 1];
}

// Skips entropy-coded data from `at`: returns the offset of the next marker's 0xFF that is not
// a stuffed zero or a restart, or the size of `jpeg` when none follows.
size_t SkipScanData(const std::vector<uint8_t>& jpeg, size_t at) {
  for (; at + 1 < jpeg.size(); ++at) {
    if (jpeg[at] != 0xFF)
      continue;
    const uint8_t next = jpeg[at + 1];
    if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7))
      return at;
  }
  return jpeg.size();
}

}  // namespace

PixelSize ReadBannerSize(const std::vector<uint8_t>& jpeg) {
  if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != kStartOfImage)
    Refuse("no JPEG start marker");
  std::optional<PixelSize> frame;
  size_t at = 2;
  for (;;) {
    if (at >= jpeg.size())
      Refuse("the data ends before its end marker");
    if (jpeg[at] != 0xFF)
      Refuse("no marker at offset " + std::to_string(at));
    while (at < jpeg.size() && jpeg[at] == 0xFF)
      ++at;  // a marker may be preceded by fill bytes
    if (at >= jpeg.size())
      Refuse("the data ends before its end marker");
    const uint8_t marker = jpeg[at++];
    if (marker == kEndOfImage) {
      if (!frame)
        Refuse("no frame header");
      return *frame;
    }
    if (IsStandalone(marker))
      continue;
    if (marker == 0x00 || marker == kStartOfImage)
      Refuse("a misplaced marker at offset " + std::to_string(at - 1));
    if (at + 2 > jpeg.size() || ReadU16(jpeg, at) < 2 || at + ReadU16(jpeg, at) > jpeg.size())
      Refuse("a segment runs past the end of the data");
    const size_t length = ReadU16(jpeg, at);
    if (IsFrameMarker(marker)) {
      if (length < 8)
        Refuse("a frame header too short");
      frame = PixelSize{static_cast<int32_t>(ReadU16(jpeg, at + 5)),
                        static_cast<int32_t>(ReadU16(jpeg, at + 3))};
      if (frame->width == 0 || frame->height == 0)
        Refuse("a frame of zero width or height");
    }
    at += length;
    if (marker == kStartOfScan) {
      if (!frame)
        Refuse("no frame header before the picture data");
      at = SkipScanData(jpeg, at);
    }
  }
}

}  // namespace xa::xapack
