#include "package/pe_checksum.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

// The exact sum of the words in `count` bytes that start at an even file offset, eight bytes a
// step: the two 32-bit lanes of `lanes` each gather two words a step and cannot overflow within
// a run of kRun steps, so that builds optimised for size sum at the speed of a copy too.
uint64_t EvenWordSum(const uint8_t* bytes, int64_t count) {
  static_assert(std::endian::native == std::endian::little, "words are read as they lie");
  constexpr int64_t kRun = 16384;
  constexpr uint64_t kWords = 0x0000FFFF0000FFFF;
  uint64_t sum = 0;
  int64_t i = 0;
  while (i + 8 <= count) {
    uint64_t lanes = 0;
    for (const int64_t end = std::min(count & ~int64_t{7}, i + 8 * kRun); i < end; i += 8) {
      uint64_t v;
      std::memcpy(&v, bytes + i, sizeof v);
      lanes += (v & kWords) + (v >> 16 & kWords);
    }
    sum += (lanes & 0xFFFFFFFF) + (lanes >> 32);
  }
  for (; i + 2 <= count; i += 2)
    sum += bytes[i] | bytes[i + 1] << 8;
  if (i < count)
    sum += bytes[i];
  return sum;
}

// The sum of the words `count` bytes make where they lie at file offset `at`: a byte at an even
// offset is the low half of a word, one at an odd offset the high half.
uint64_t WordSum(const uint8_t* bytes, int64_t count, int64_t at) {
  if (count <= 0)
    return 0;
  if (at % 2 == 0)
    return EvenWordSum(bytes, count);
  return (uint64_t{bytes[0]} << 8) + EvenWordSum(bytes + 1, count - 1);
}

}  // namespace

uint32_t PeChecksum(TStream& file, int64_t checksum_offset) {
  file.Seek(0, SeekOrigin::kBeginning);
  std::vector<uint8_t> buffer(static_cast<size_t>(kPassSize));
  uint64_t sum = 0;
  int64_t length = 0;
  for (;;) {
    const int64_t count = ReadUpTo(file, buffer.data(), kPassSize);
    // The checksum field counts as zero wherever it falls in this pass.
    for (int64_t at = std::max(checksum_offset, length);
         at < std::min(checksum_offset + 4, length + count); ++at)
      buffer[static_cast<size_t>(at - length)] = 0;
    sum += WordSum(buffer.data(), count, length);
    length += count;
    if (count < kPassSize)
      break;
  }
  return Fold(sum) + static_cast<uint32_t>(length);
}

int64_t TPeChecksumStream::Read(void* buffer, int64_t count) {
  const int64_t done = target_.Read(buffer, count);
  position_ += done;
  return done;
}

int64_t TPeChecksumStream::Write(const void* buffer, int64_t count) {
  if (count <= 0)
    return 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  // Writes over earlier bytes are rare and short (the record pointer, the checksum itself).
  std::vector<uint8_t> replaced;
  if (position_ < end_) {
    replaced.resize(static_cast<size_t>(std::min(count, end_ - position_)));
    target_.ReadBuffer(replaced.data(), static_cast<int64_t>(replaced.size()));
    target_.Seek(position_, SeekOrigin::kBeginning);
  }
  const int64_t done = target_.Write(buffer, count);
  if (done <= 0)
    return 0;
  sum_ -= WordSum(replaced.data(), std::min<int64_t>(done, std::ssize(replaced)), position_);
  sum_ += WordSum(bytes, done, position_);
  KeepHeaders(bytes, done, position_);
  position_ += done;
  end_ = std::max(end_, position_);
  return done;
}

int64_t TPeChecksumStream::Seek(int64_t offset, SeekOrigin origin) {
  position_ = target_.Seek(offset, origin);
  return position_;
}

void TPeChecksumStream::KeepHeaders(const uint8_t* bytes, int64_t count, int64_t at) {
  const int64_t end = std::min(at + count, kHeaderWindow);
  if (at >= end)
    return;
  if (std::ssize(headers_) < end)
    headers_.resize(static_cast<size_t>(end));
  std::copy(bytes, bytes + (end - at), headers_.data() + at);
}

void TPeChecksumStream::StampChecksum() {
  const int64_t field = CheckSumOffset(headers_);
  const uint64_t sum = sum_ - WordSum(headers_.data() + field, 4, field);
  const uint32_t checksum = Fold(sum) + static_cast<uint32_t>(end_);
  uint8_t bytes[4];
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<uint8_t>(checksum >> (8 * i));
  const int64_t resume = position_;
  Seek(field, SeekOrigin::kBeginning);
  WriteBuffer(bytes, sizeof bytes);
  Seek(resume, SeekOrigin::kBeginning);
}

}  // namespace xa
