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
constexpr uint32_t kCheckSumInOptionalHeader = 64;
constexpr uint32_t kDllCharacteristicsInOptionalHeader = 70;
constexpr uint16_t kPe32Magic = 0x10b;
constexpr uint16_t kPe32PlusMagic = 0x20b;

uint32_t ReadU32(const std::vector<uint8_t>& image, uint32_t at) {
  if (image.size() < static_cast<uint64_t>(at) + 4)
    Raise<PeLayoutError>("the file ends inside its PE headers");
  return static_cast<uint32_t>(image[at]) | static_cast<uint32_t>(image[at + 1]) << 8 |
         static_cast<uint32_t>(image[at + 2]) << 16 | static_cast<uint32_t>(image[at + 3]) << 24;
}

uint16_t ReadU16(const std::vector<uint8_t>& image, uint32_t at) {
  if (image.size() < static_cast<uint64_t>(at) + 2)
    Raise<PeLayoutError>("the file ends inside its PE headers");
  return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

// Where the fields of the optional header of `image` lie.
struct OptionalHeaderLayout {
  uint32_t start;
  uint32_t directories;      // offset of data directory 0
  uint32_t directory_count;  // directories present in the header
  bool pe32_plus;
};

OptionalHeaderLayout LocateOptionalHeader(const std::vector<uint8_t>& image) {
  const uint32_t file_header = NtHeadersOffset(image) + 4;
  const uint32_t optional_size = ReadU16(image, file_header + 16);
  const uint32_t start = file_header + kFileHeaderSize;
  const uint16_t magic = ReadU16(image, start);
  if (magic != kPe32Magic && magic != kPe32PlusMagic)
    Raise<PeLayoutError>("not a Windows program (unknown optional header)");
  // The directory count and the directories follow the fields whose width differs by format.
  const uint32_t count_at = magic == kPe32Magic ? 92 : 108;
  const uint32_t fits = optional_size > count_at + 4 ? (optional_size - count_at - 4) / 8 : 0;
  const uint32_t count = std::min(ReadU32(image, start + count_at), fits);
  ReadU32(image, start + count_at + 4 + 8 * count - 4);
  return {start, start + count_at + 4, count, magic == kPe32PlusMagic};
}

void PutU32(std::vector<uint8_t>& image, uint32_t at, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i)
    image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

uint32_t NtHeadersOffset(const std::vector<uint8_t>& image) {
  if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z')
    Raise<PeLayoutError>("not a Windows program (no MZ header)");
  const uint32_t offset = ReadU32(image, kLfanewOffset);
  if (ReadU32(image, offset) != 0x00004550)
    Raise<PeLayoutError>("not a Windows program (no PE signature)");
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
    Raise<PeLayoutError>("the file ends inside its section table");
  return static_cast<uint32_t>(end);
}

void RelocateNtHeaders(std::vector<uint8_t>& image, uint32_t new_offset) {
  const uint32_t offset = NtHeadersOffset(image);
  const uint32_t end = NtHeadersEnd(image);
  if (new_offset % 8 != 0 || new_offset < offset)
    Raise<PeLayoutError>("the new header offset must be a multiple of 8 beyond the current one");
  const uint32_t optional_header = offset + 4 + kFileHeaderSize;
  const uint32_t size_of_headers = ReadU32(image, optional_header + kSizeOfHeadersInOptionalHeader);
  const uint32_t length = end - offset;
  const uint64_t new_end = static_cast<uint64_t>(new_offset) + length;
  if (new_end > size_of_headers || new_end > image.size()) {
    Raise<PeLayoutError>(
        "no room to move the PE headers: " + std::to_string(new_end - size_of_headers) +
        " bytes missing before the first section");
  }
  std::memmove(image.data() + new_offset, image.data() + offset, length);
  std::fill(image.begin() + offset, image.begin() + new_offset, uint8_t{0});
  for (int i = 0; i < 4; ++i)
    image[kLfanewOffset + i] = static_cast<uint8_t>(new_offset >> (8 * i));
}

uint16_t FileCharacteristics(const std::vector<uint8_t>& image) {
  return ReadU16(image, NtHeadersOffset(image) + 4 + 18);
}

uint16_t DllCharacteristics(const std::vector<uint8_t>& image) {
  return ReadU16(image, LocateOptionalHeader(image).start + kDllCharacteristicsInOptionalHeader);
}

PeDataDirectory DataDirectory(const std::vector<uint8_t>& image, uint32_t index) {
  const OptionalHeaderLayout layout = LocateOptionalHeader(image);
  if (index >= layout.directory_count)
    return {};
  const uint32_t entry = layout.directories + 8 * index;
  return {ReadU32(image, entry), ReadU32(image, entry + 4)};
}

std::optional<std::string> HardeningProblem(const std::vector<uint8_t>& image) {
  const uint16_t flags = DllCharacteristics(image);
  if (!(flags & kDynamicBase))
    return "no ASLR (DYNAMIC_BASE is not set)";
  if (!(flags & kNxCompat))
    return "no DEP (NX_COMPAT is not set)";
  if (LocateOptionalHeader(image).pe32_plus && !(flags & kHighEntropyVa))
    return "no high-entropy addresses (HIGH_ENTROPY_VA is not set)";
  if (FileCharacteristics(image) & kRelocsStripped)
    return "its relocations are stripped (RELOCS_STRIPPED is set)";
  if (DataDirectory(image, kBaseRelocationIndex).size == 0)
    return "no base relocations (the directory is empty), so the loader cannot move it";
  return std::nullopt;
}

PeDataDirectory CertificateTable(const std::vector<uint8_t>& image) {
  return DataDirectory(image, kCertificateTableIndex);
}

uint32_t CheckSumOffset(const std::vector<uint8_t>& image) {
  const uint32_t offset = LocateOptionalHeader(image).start + kCheckSumInOptionalHeader;
  ReadU32(image, offset);
  return offset;
}

void ClearSignatureFields(std::vector<uint8_t>& image) {
  const OptionalHeaderLayout layout = LocateOptionalHeader(image);
  PutU32(image, layout.start + kCheckSumInOptionalHeader, 0);
  if (kCertificateTableIndex < layout.directory_count) {
    const uint32_t entry = layout.directories + 8 * kCertificateTableIndex;
    PutU32(image, entry, 0);
    PutU32(image, entry + 4, 0);
  }
}

}  // namespace xa
