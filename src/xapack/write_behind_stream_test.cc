#include "xapack/write_behind_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "package/cipher_stream.h"
#include "package/errors.h"
#include "package/memory_stream.h"

namespace xa::xapack {
namespace {

// Stores the first `capacity` bytes, then nothing, as a full disk does.
class TFullDiskStream : public TMemoryStream {
 public:
  explicit TFullDiskStream(int64_t capacity) : capacity_(capacity) {}
  int64_t Write(const void* buffer, int64_t count) override {
    return TMemoryStream::Write(buffer, std::clamp<int64_t>(capacity_ - Size(), 0, count));
  }

 private:
  int64_t capacity_;
};

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 11));
  return bytes;
}

TEST(WriteBehindStreamTest, EverythingArrivesInOrderBeforeAnyReadSeekOrSize) {
  const std::vector<uint8_t> bytes = Pattern(static_cast<size_t>(3 * CipherPassSize + 12345));
  TMemoryStream target;
  TWriteBehindStream stream(target);
  // Pieces that straddle the passes the thread writes.
  for (size_t at = 0, piece = 1; at < bytes.size(); piece = piece * 7 % 300007 + 1) {
    const size_t count = std::min(piece, bytes.size() - at);
    ASSERT_EQ(stream.Write(bytes.data() + at, static_cast<int64_t>(count)),
              static_cast<int64_t>(count));
    at += count;
  }
  EXPECT_EQ(stream.Size(), static_cast<int64_t>(bytes.size()));
  EXPECT_EQ(target.Bytes(), bytes);
  // Writing over earlier bytes after a seek, as stamping a header does.
  EXPECT_EQ(stream.Seek(136, SeekOrigin::kBeginning), 136);
  stream.WriteBuffer("over", 4);
  uint8_t read[4] = {};
  EXPECT_EQ(stream.Read(read, 4), 4) << "the read starts after the bytes written";
  EXPECT_EQ(std::memcmp(read, bytes.data() + 140, 4), 0);
  stream.Finish();
  EXPECT_EQ(std::memcmp(target.Bytes().data() + 136, "over", 4), 0);
}

TEST(WriteBehindStreamTest, WhatIsLeftReachesTheTargetWhenTheStreamGoes) {
  TMemoryStream target;
  {
    TWriteBehindStream stream(target);
    stream.WriteBuffer("tail", 4);
  }
  EXPECT_EQ(target.Bytes(), (std::vector<uint8_t>{'t', 'a', 'i', 'l'}));
}

TEST(WriteBehindStreamTest, AFailedWriteIsRaisedByTheNextCallsAndFinish) {
  const std::vector<uint8_t> pass = Pattern(static_cast<size_t>(CipherPassSize));
  TFullDiskStream target(CipherPassSize + 100);
  TWriteBehindStream stream(target);
  // The thread may fail before the last write or only before Finish returns.
  try {
    stream.WriteBuffer(pass.data(), CipherPassSize);
    stream.WriteBuffer(pass.data(), CipherPassSize);
    stream.WriteBuffer(pass.data(), 10);
    stream.Finish();
    ADD_FAILURE() << "the disk was full";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), kStreamWriteError);
  }
  EXPECT_THROW(stream.WriteBuffer(pass.data(), 1), EStreamError);
  EXPECT_THROW(stream.Size(), EStreamError);
  EXPECT_THROW(stream.Finish(), EStreamError);
}

}  // namespace
}  // namespace xa::xapack
