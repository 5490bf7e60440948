#include "package/pe_layout.h"

#include <gtest/gtest.h>

namespace xa {
namespace {

constexpr uint32_t kLinkerHeaderOffset = 0x80;
constexpr uint16_t kOptionalHeaderSize = 0xE0;

void Put32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The headers of a program as GNU ld lays them out: PE header at 0x80, `sections` section
// headers, the first section's data at `size_of_headers`.
std::vector<uint8_t> LinkedImage(uint16_t sections, uint32_t size_of_headers) {
  std::vector<uint8_t> image(size_of_headers + 512, 0);
  image[0] = 'M';
  image[1] = 'Z';
  for (size_t i = 0x40; i < kLinkerHeaderOffset; ++i)
    image[i] = static_cast<uint8_t>(i);  // stands for the MS-DOS stub program and its text
  Put32(image, 0x3c, kLinkerHeaderOffset);
  Put32(image, kLinkerHeaderOffset, 0x00004550);
  const size_t file_header = kLinkerHeaderOffset + 4;
  image[file_header + 2] = static_cast<uint8_t>(sections);
  image[file_header + 16] = static_cast<uint8_t>(kOptionalHeaderSize);
  const size_t optional_header = file_header + 20;
  Put32(image, optional_header + 60, size_of_headers);
  for (size_t i = optional_header + 64; i < optional_header + kOptionalHeaderSize + sections * 40u;
       ++i)
    image[i] = static_cast<uint8_t>(i * 3 + 1);
  return image;
}

TEST(PeLayoutTest, RelocationMovesTheHeadersAndFreesTheRecordPointer) {
  std::vector<uint8_t> image = LinkedImage(10, 0x400);
  const std::vector<uint8_t> original = image;
  const uint32_t length = NtHeadersEnd(image) - kLinkerHeaderOffset;
  RelocateNtHeaders(image, 0x100);
  EXPECT_EQ(NtHeadersOffset(image), 0x100u);
  EXPECT_EQ(NtHeadersEnd(image), 0x100u + length);
  EXPECT_TRUE(std::equal(original.begin() + kLinkerHeaderOffset,
                         original.begin() + kLinkerHeaderOffset + length, image.begin() + 0x100));
  EXPECT_TRUE(std::equal(original.begin() + 0x40, original.begin() + kLinkerHeaderOffset,
                         image.begin() + 0x40))
      << "the MS-DOS stub stays";
  for (size_t i = 136; i < 140; ++i)
    EXPECT_EQ(image[i], 0) << i;
  EXPECT_TRUE(std::equal(original.begin() + 0x400, original.end(), image.begin() + 0x400))
      << "section data untouched";
}

TEST(PeLayoutTest, RefusesWhatItCannotHandle) {
  struct Case {
    const char* name;
    std::vector<uint8_t> image;
    uint32_t new_offset;
  };
  std::vector<uint8_t> no_pe = LinkedImage(2, 0x400);
  no_pe[kLinkerHeaderOffset] = 'X';
  std::vector<uint8_t> table_past_end = LinkedImage(2, 0x400);
  table_past_end[kLinkerHeaderOffset + 6] = 0xFF;
  table_past_end[kLinkerHeaderOffset + 7] = 0xFF;
  const Case cases[] = {
      {"not MZ", std::vector<uint8_t>(1024, 0), 0x100},
      {"no PE signature", no_pe, 0x100},
      {"section table past the end", table_past_end, 0x100},
      {"no room before the first section", LinkedImage(16, 0x400), 0x100},
      {"unaligned offset", LinkedImage(2, 0x400), 0x104 + 1},
      {"backwards", LinkedImage(2, 0x400), 0x40},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> image = c.image;
    EXPECT_THROW(RelocateNtHeaders(image, c.new_offset), PeLayoutError) << c.name;
    EXPECT_EQ(image, c.image) << c.name << ": nothing changed";
  }
}

}  // namespace
}  // namespace xa
