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

// A linked image of format `magic` with 16 directories, checksum `checksum` and the certificate
// table at `offset`, `size`.
std::vector<uint8_t> SignedImage(uint16_t magic,
                                 uint32_t checksum,
                                 uint32_t offset,
                                 uint32_t size) {
  std::vector<uint8_t> image = LinkedImage(2, 0x400);
  const size_t optional_header = kLinkerHeaderOffset + 24;
  image[optional_header] = static_cast<uint8_t>(magic);
  image[optional_header + 1] = static_cast<uint8_t>(magic >> 8);
  const size_t directories = optional_header + (magic == 0x10b ? 96 : 112);
  if (magic == 0x20b)
    image[kLinkerHeaderOffset + 20] = 0xF0;  // a PE32+ optional header is 16 bytes longer
  Put32(image, optional_header + 64, checksum);
  Put32(image, directories - 4, 16);
  Put32(image, directories + 32, offset);
  Put32(image, directories + 36, size);
  return image;
}

TEST(PeLayoutTest, ReadsAndClearsTheCertificateTableOfBothFormats) {
  for (const uint16_t magic : {uint16_t{0x10b}, uint16_t{0x20b}}) {
    std::vector<uint8_t> image = SignedImage(magic, 0x12345, 0x9000, 0x7A8);
    const PeDataDirectory table = CertificateTable(image);
    EXPECT_EQ(table.address, 0x9000u) << magic;
    EXPECT_EQ(table.size, 0x7A8u) << magic;
    const std::vector<uint8_t> before = image;
    ClearSignatureFields(image);
    EXPECT_EQ(CertificateTable(image).address, 0u) << magic;
    EXPECT_EQ(CertificateTable(image).size, 0u) << magic;
    size_t changed = 0;
    for (size_t i = 0; i < image.size(); ++i)
      changed += image[i] != before[i];
    // The checksum's three non-zero bytes and the entry's three.
    EXPECT_EQ(changed, 3u + 3u) << magic;
    const size_t checksum = kLinkerHeaderOffset + 24 + 64;
    EXPECT_EQ(image[checksum] | image[checksum + 1] | image[checksum + 2], 0) << magic;
  }
}

TEST(PeLayoutTest, FewDirectoriesMeanNoCertificateTable) {
  std::vector<uint8_t> image = SignedImage(0x10b, 0, 0x9000, 0x100);
  Put32(image, kLinkerHeaderOffset + 24 + 92, 4);
  EXPECT_EQ(CertificateTable(image).size, 0u);
  const std::vector<uint8_t> before = image;
  ClearSignatureFields(image);
  EXPECT_EQ(image, before) << "the bytes past the directories are no entry";
}

TEST(PeLayoutTest, CertificateTableOfForeignImagesIsAnError) {
  std::vector<uint8_t> unknown = SignedImage(0x10b, 0, 0x9000, 0x100);
  unknown[kLinkerHeaderOffset + 24] = 0x07;
  EXPECT_THROW(CertificateTable(unknown), PeLayoutError);
  EXPECT_THROW(CertificateTable(std::vector<uint8_t>(1024, 0)), PeLayoutError);
  std::vector<uint8_t> cut = SignedImage(0x20b, 0, 0x9000, 0x100);
  cut.resize(kLinkerHeaderOffset + 24 + 100);
  EXPECT_THROW(CertificateTable(cut), PeLayoutError);
}

TEST(PeLayoutTest, HardeningNeedsAslrDepRelocationsAndHighEntropyIn64Bit) {
  constexpr size_t kDllCharacteristics = kLinkerHeaderOffset + 24 + 70;
  constexpr size_t kFileCharacteristics = kLinkerHeaderOffset + 4 + 18;
  for (const uint16_t magic : {uint16_t{0x10b}, uint16_t{0x20b}}) {
    SCOPED_TRACE(magic);
    std::vector<uint8_t> image = SignedImage(magic, 0, 0, 0);
    const size_t relocations = kLinkerHeaderOffset + 24 + (magic == 0x10b ? 96 : 112) + 5 * 8;
    Put32(image, relocations, 0x5000);
    Put32(image, relocations + 4, 0x1A4);
    image[kFileCharacteristics] = 0x22;  // executable, large address aware
    image[kFileCharacteristics + 1] = 0x01;
    const uint16_t all = magic == 0x10b ? 0x0140 : 0x0160;
    image[kDllCharacteristics] = static_cast<uint8_t>(all);
    image[kDllCharacteristics + 1] = static_cast<uint8_t>(all >> 8);
    EXPECT_EQ(HardeningProblem(image), std::nullopt);

    const struct {
      size_t at;
      uint8_t value;
      const char* problem;
    } faults[] = {
        {kDllCharacteristics, static_cast<uint8_t>(all & ~0x40), "no ASLR"},
        {kDllCharacteristics + 1, 0, "no DEP"},
        {kFileCharacteristics, 0x23, "relocations are stripped"},
        {relocations + 4, 0, "no base relocations"},
    };
    for (const auto& fault : faults) {
      std::vector<uint8_t> faulty = image;
      faulty[fault.at] = fault.value;
      if (fault.at == relocations + 4)
        faulty[fault.at + 1] = 0;
      const auto problem = HardeningProblem(faulty);
      ASSERT_TRUE(problem.has_value()) << fault.problem;
      EXPECT_NE(problem->find(fault.problem), std::string::npos) << *problem;
    }
    std::vector<uint8_t> low_entropy = image;
    low_entropy[kDllCharacteristics] = 0x40;
    EXPECT_EQ(HardeningProblem(low_entropy).has_value(), magic == 0x20b)
        << "high-entropy addresses only matter in 64-bit images";
  }
}

}  // namespace
}  // namespace xa
