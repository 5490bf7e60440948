#include "package/pe_layout.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace xa {
namespace {

constexpr uint32_t kLfanewOffset = 0x3c;
constexpr uint32_t kFileHeaderSize = 20;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kSizeOfHeadersInOptionalHeader = 60;

uint32_t ReadU32(const std::vector<uint8_t>& image, uint32_t at) {
  if (image.size() < static_cast<uint64_t>(at) + 4)
    throw PeLayoutError("the file ends inside its PE headers");
  return static_cast<uint32_t>(image[at]) | static_cast<uint32_t>(image[at + 1]) << 8 |
         static_cast<uint32_t>(image[at + 2]) << 16 | static_cast<uint32_t>(image[at + 3]) << 24;
}

uint16_t ReadU16(const std::vector<uint8_t>& image, uint32_t at) {
  if (image.size() < static_cast<uint64_t>(at) + 2)
    throw PeLayoutError("the file ends inside its PE headers");
  return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

}  // namespace

uint32_t NtHeadersOffset(const std::vector<uint8_t>& image) {
  if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z')
    throw PeLayoutError("not a Windows program (no MZ header)");
  const uint32_t offset = ReadU32(image, kLfanewOffset);
  if (ReadU32(image, offset) != 0x00004550)
    throw PeLayoutError("not a Windows program (no PE signature)");
  return offset;
}

uint32_t NtHeadersEnd(const std::vector<uint8_t>& image) {
  const uint32_t offset = NtHeadersOffset(image);
  const uint32_t file_header = offset + 4;
  const uint32_t sections = ReadU16(image, file_header + 2);
  const uint32_t optional_size = ReadU16(image, file_header + 16);
  const uint64_t end = static_cast<uint64_t>(file_header) + kFileHeaderSize + optional_size +
                       sections * kSectionHeaderSize;
  if (end > image.size())
    throw PeLayoutError("the file ends inside its section table");
  return static_cast<uint32_t>(end);
}

void RelocateNtHeaders(std::vector<uint8_t>& image, uint32_t new_offset) {
  const uint32_t offset = NtHeadersOffset(image);
  const uint32_t end = NtHeadersEnd(image);
  if (new_offset % 8 != 0 || new_offset < offset)
    throw PeLayoutError("the new header offset must be a multiple of 8 beyond the current one");
  const uint32_t optional_header = offset + 4 + kFileHeaderSize;
  const uint32_t size_of_headers = ReadU32(image, optional_header + kSizeOfHeadersInOptionalHeader);
  const uint32_t length = end - offset;
  const uint64_t new_end = static_cast<uint64_t>(new_offset) + length;
  if (new_end > size_of_headers || new_end > image.size()) {
    throw PeLayoutError(
        "no room to move the PE headers: " + std::to_string(new_end - size_of_headers) +
        " bytes missing before the first section");
  }
  std::memmove(image.data() + new_offset, image.data() + offset, length);
  std::fill(image.begin() + offset, image.begin() + new_offset, uint8_t{0});
  for (int i = 0; i < 4; ++i)
    image[kLfanewOffset + i] = static_cast<uint8_t>(new_offset >> (8 * i));
}

}  // namespace xa
