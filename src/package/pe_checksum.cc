#include "package/pe_checksum.h"

#include <algorithm>
#include <vector>

#include "package/pe_layout.h"

namespace xa {
namespace {

// An even size, so that no word straddles two passes.
constexpr int64_t kPassSize = 64 * 1024;

// PE headers lie in the first page of a program.
constexpr int64_t kHeaderWindow = 4096;

// Folding the carries once at the end gives what folding after every word gives: both are the
// sum modulo 0xFFFF, and neither is 0 unless every word is. The plain sum runs several times
// faster over a package of hundreds of megabytes.
uint32_t Fold(uint64_t sum) {
  while (sum >> 16)
    sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum);
}

// Fills `buffer` from `file` as far as it goes; fewer bytes only at the end of the file.
int64_t ReadPass(TStream& file, std::vector<uint8_t>& buffer) {
  int64_t done = 0;
  while (done < kPassSize) {
    const int64_t count = file.Read(buffer.data() + done, kPassSize - done);
    if (count <= 0)
      break;
    done += count;
  }
  return done;
}

}  // namespace

uint32_t PeChecksum(TStream& file, int64_t checksum_offset) {
  file.Seek(0, SeekOrigin::kBeginning);
  // One byte more for the padding of an odd last byte.
  std::vector<uint8_t> buffer(static_cast<size_t>(kPassSize) + 1);
  uint64_t sum = 0;
  int64_t length = 0;
  for (;;) {
    const int64_t count = ReadPass(file, buffer);
    // The checksum field counts as zero wherever it falls in this pass.
    for (int64_t at = std::max(checksum_offset, length);
         at < std::min(checksum_offset + 4, length + count); ++at)
      buffer[static_cast<size_t>(at - length)] = 0;
    if (count % 2 != 0)
      buffer[static_cast<size_t>(count)] = 0;
    for (int64_t i = 0; i < count; i += 2) {
      const auto at = static_cast<size_t>(i);
      sum += static_cast<uint32_t>(buffer[at]) | static_cast<uint32_t>(buffer[at + 1]) << 8;
    }
    length += count;
    if (count < kPassSize)
      break;
  }
  return Fold(sum) + static_cast<uint32_t>(length);
}

void StampPeChecksum(TStream& file) {
  file.Seek(0, SeekOrigin::kBeginning);
  std::vector<uint8_t> headers(static_cast<size_t>(std::min(file.Size(), kHeaderWindow)));
  file.ReadBuffer(headers.data(), static_cast<int64_t>(headers.size()));
  const int64_t offset = CheckSumOffset(headers);
  const uint32_t checksum = PeChecksum(file, offset);
  uint8_t bytes[4];
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<uint8_t>(checksum >> (8 * i));
  file.Seek(offset, SeekOrigin::kBeginning);
  file.WriteBuffer(bytes, sizeof bytes);
}

}  // namespace xa
