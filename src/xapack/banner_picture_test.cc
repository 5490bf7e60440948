#include "xapack/banner_picture.h"

#include <gtest/gtest.h>

#include <string>

#include "package/errors.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Bytes kStart = {0xFF, 0xD8};
const Bytes kEnd = {0xFF, 0xD9};

// A marker segment: the marker, the length (counting itself) and the payload.
Bytes Segment(uint8_t marker, const Bytes& payload) {
  const size_t length = payload.size() + 2;
  return Bytes{0xFF, marker, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)} +
         payload;
}

// A frame header of one component: precision 8, then height and width.
Bytes Frame(uint8_t marker, uint16_t width, uint16_t height) {
  return Segment(marker,
                 {8, static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height),
                  static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width), 1, 1, 0x11, 0});
}

// A scan header of one component and entropy-coded data holding a stuffed 0xFF, a restart
// marker and fill bytes, none of which ends the scan.
Bytes Scan() {
  return Segment(0xDA, {1, 1, 0, 0, 63, 0}) +
         Bytes{0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0xFF, 0xFF, 0xD1, 0x78};
}

const Bytes kApp0 = Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kTables = Segment(0xDB, Bytes(65, 1)) + Segment(0xC4, Bytes(20, 2));

Bytes SampleBanner() {
  const std::string bytes = testing::SampleBanner();
  return Bytes(bytes.begin(), bytes.end());
}

TEST(BannerPictureTest, SizeComesFromTheFrameHeader) {
  struct Case {
    const char* name;
    Bytes jpeg;
    int32_t width, height;
  };
  const Case cases[] = {
      {"baseline", kStart + kApp0 + kTables + Frame(0xC0, 160, 320) + Scan() + kEnd, 160, 320},
      {"progressive, two scans with a table between",
       kStart + kTables + Frame(0xC2, 300, 2) + Scan() + kTables + Scan() + kEnd, 300, 2},
      {"fill bytes before markers",
       kStart + Bytes{0xFF} + Frame(0xC1, 65535, 1) + Bytes{0xFF, 0xFF} + Scan() + kEnd, 65535, 1},
      {"data after the end marker", kStart + Frame(0xC0, 7, 9) + Scan() + kEnd + Bytes{0, 0}, 7, 9},
  };
  for (const Case& c : cases) {
    const PixelSize size = ReadBannerSize(c.jpeg);
    EXPECT_EQ(size.width, c.width) << c.name;
    EXPECT_EQ(size.height, c.height) << c.name;
  }
  const PixelSize sample = ReadBannerSize(SampleBanner());
  EXPECT_EQ(sample.width, 160);
  EXPECT_EQ(sample.height, 320);
}

TEST(BannerPictureTest, RefusesWhatIsNoWholeJpegFile) {
  const Bytes whole = kStart + kApp0 + Frame(0xC0, 160, 320) + Scan() + kEnd;
  struct Case {
    const char* name;
    Bytes jpeg;
    const char* reason;
  };
  const Case cases[] = {
      {"empty", {}, "no JPEG start marker"},
      {"an RTF document", {'{', '\\', 'r', 't', 'f'}, "no JPEG start marker"},
      {"start marker alone", kStart, "ends before its end marker"},
      {"cut inside the scan", Bytes(whole.begin(), whole.end() - 3), "ends before its end marker"},
      {"cut inside a segment", Bytes(whole.begin(), whole.begin() + 10), "runs past the end"},
      {"no frame before the scan", kStart + kApp0 + Scan() + kEnd, "no frame header"},
      {"no frame at all", kStart + kApp0 + kEnd, "no frame header"},
      {"zero width", kStart + Frame(0xC0, 0, 10) + Scan() + kEnd, "zero width or height"},
      {"zero height", kStart + Frame(0xC0, 10, 0) + Scan() + kEnd, "zero width or height"},
      {"short frame header", kStart + Segment(0xC0, {8, 0, 1, 0, 1}) + Scan() + kEnd,
       "frame header too short"},
      {"length below two", kStart + Bytes{0xFF, 0xE0, 0, 1} + kEnd, "runs past the end"},
      {"bytes where a marker belongs", kStart + Bytes{0x00, 0xFF} + kEnd, "no marker at offset 2"},
      {"a second start marker", kStart + kStart + kEnd, "misplaced marker"},
  };
  for (const Case& c : cases) {
    try {
      ReadBannerSize(c.jpeg);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
          << c.name << ": " << e.what();
    }
  }
}

TEST(BannerPictureTest, EveryCutOfTheSampleBannerIsRefused) {
  const Bytes banner = SampleBanner();
  for (size_t cut = 0; cut < banner.size(); cut += 97) {
    EXPECT_THROW(ReadBannerSize(Bytes(banner.begin(), banner.begin() + cut)), Exception) << cut;
  }
  EXPECT_THROW(ReadBannerSize(Bytes(banner.begin(), banner.end() - 1)), Exception);
}

}  // namespace
}  // namespace xa::xapack
