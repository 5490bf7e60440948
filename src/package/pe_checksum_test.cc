#include "package/pe_checksum.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "package/memory_stream.h"
#include "package/pe_layout.h"

namespace xa {
namespace {

// Hands out at most 7 bytes a read, as a pipe or a slow device may.
class TTrickleStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int64_t Read(void* buffer, int64_t count) override {
    return TMemoryStream::Read(buffer, std::min<int64_t>(count, 7));
  }
};

// The checksum written out the long way: every 16-bit word summed in 64 bits, then folded.
uint32_t ReferenceChecksum(std::vector<uint8_t> bytes, size_t field) {
  for (size_t i = field; i < field + 4 && i < bytes.size(); ++i)
    bytes[i] = 0;
  uint64_t sum = 0;
  for (size_t i = 0; i < bytes.size(); i += 2)
    sum += bytes[i] | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0);
  while (sum >> 16)
    sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum + bytes.size());
}

TEST(PeChecksumTest, SmallFilesByHand) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int64_t field;
    uint32_t checksum;
  };
  const Case cases[] = {
      {"empty", {}, 64, 0},
      {"one word", {0x01, 0x02}, 64, 0x0201 + 2},
      {"odd length pads with zero", {0x01, 0x02, 0x03}, 64, 0x0201 + 0x0003 + 3},
      {"carry folds back", {0xFF, 0xFF, 0x02, 0x00}, 64, 0x0002 + 4},
      {"a multiple of 0xFFFF stays 0xFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 64, 0xFFFF + 6},
      {"zero words stay zero", {0x00, 0x00, 0x00, 0x00}, 64, 0x0000 + 4},
      {"field counts as zero", {0x01, 0x00, 9, 9, 9, 9, 0x02, 0x00}, 2, 0x0003 + 8},
      {"field cut by the end", {0x01, 0x00, 9}, 2, 0x0001 + 3},
  };
  for (const Case& c : cases) {
    TMemoryStream stream(c.bytes);
    EXPECT_EQ(PeChecksum(stream, c.field), c.checksum) << c.name;
  }
}

TEST(PeChecksumTest, LargeFilesAcrossPassesAndShortReads) {
  std::vector<uint8_t> bytes(200001);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(i * 7919 >> 3);
  // The field inside a pass, and straddling the boundary of the first two 64 KiB passes.
  for (const size_t field : {size_t{216}, size_t{65534}}) {
    TMemoryStream whole(bytes);
    EXPECT_EQ(PeChecksum(whole, static_cast<int64_t>(field)), ReferenceChecksum(bytes, field))
        << field;
    TTrickleStream trickle(bytes);
    EXPECT_EQ(PeChecksum(trickle, static_cast<int64_t>(field)), ReferenceChecksum(bytes, field))
        << field;
  }
}

// Headers of a program with its NT headers at 0x100 and an optional header of `magic`.
std::vector<uint8_t> Program(uint16_t magic, size_t size) {
  std::vector<uint8_t> image(size, 0x11);
  image[0] = 'M';
  image[1] = 'Z';
  image[0x3c] = 0x00;
  image[0x3d] = 0x01;
  image[0x3e] = image[0x3f] = 0;
  image[0x100] = 'P';
  image[0x101] = 'E';
  image[0x102] = image[0x103] = 0;
  image[0x114] = 0xF0;  // optional header size
  image[0x115] = 0;
  image[0x118] = static_cast<uint8_t>(magic);
  image[0x119] = static_cast<uint8_t>(magic >> 8);
  return image;
}

// Stores at most 5 bytes a write, as a nearly full disk may.
class TShortWriteStream : public TMemoryStream {
 public:
  int64_t Write(const void* buffer, int64_t count) override {
    return TMemoryStream::Write(buffer, std::min<int64_t>(count, 5));
  }
};

uint32_t StoredChecksum(const std::vector<uint8_t>& file, size_t field) {
  return file[field] | file[field + 1] << 8 | file[field + 2] << 16 |
         uint32_t{file[field + 3]} << 24;
}

// Writes `bytes` through `stream` in pieces of 1 to 4099 bytes, so that pieces start at odd
// and even offsets, then writes over a few earlier ranges as the builder does.
void WriteInPieces(TStream& stream, const std::vector<uint8_t>& bytes) {
  size_t piece = 1;
  for (size_t at = 0; at < bytes.size(); piece = piece * 3 % 4099 + 1) {
    const size_t count = std::min(piece, bytes.size() - at);
    at += static_cast<size_t>(stream.Write(bytes.data() + at, static_cast<int64_t>(count)));
  }
  const uint8_t over[] = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5};
  for (const int64_t at : {int64_t{136}, int64_t{4095}, int64_t{50001}, stream.Size() - 3}) {
    stream.Seek(at, SeekOrigin::kBeginning);
    stream.WriteBuffer(over, sizeof over);
  }
}

TEST(PeChecksumStreamTest, StampsWhatWindowsComputesForWhatWasWritten) {
  for (const uint16_t magic : {uint16_t{0x10b}, uint16_t{0x20b}}) {
    for (const bool short_writes : {false, true}) {
      TMemoryStream plain;
      TShortWriteStream trickle;
      TMemoryStream& file = short_writes ? trickle : plain;
      TPeChecksumStream stream(file);
      WriteInPieces(stream, Program(magic, 70001));
      stream.StampChecksum();
      const std::vector<uint8_t> stamped = file.Bytes();
      ASSERT_EQ(stamped.size(), 70003u) << "the last overwrite ran past the end";
      const size_t field = CheckSumOffset(stamped);
      EXPECT_EQ(field, 0x118u + 64);
      EXPECT_EQ(StoredChecksum(stamped, field), ReferenceChecksum(stamped, field))
          << magic << " short writes " << short_writes;
      EXPECT_EQ(stream.Position(), stream.Size()) << "stamping leaves the position where it was";
      stream.StampChecksum();
      EXPECT_EQ(file.Bytes(), stamped) << "stamping again changes nothing";
    }
  }
}

TEST(PeChecksumStreamTest, RefusesWhatIsNoProgram) {
  TMemoryStream file;
  TPeChecksumStream unknown(file);
  unknown.WriteBuffer(Program(0x107, 1000).data(), 1000);
  EXPECT_THROW(unknown.StampChecksum(), PeLayoutError);
  TMemoryStream nothing;
  TPeChecksumStream empty(nothing);
  EXPECT_THROW(empty.StampChecksum(), PeLayoutError);
}

}  // namespace
}  // namespace xa
