#include "package/cipher_stream.h"

#include <algorithm>
#include <memory>

#include "package/cipher_blocks.h"
#include "package/errors.h"

namespace xa {

CipherProgressProc CipherProgress = nullptr;

namespace {

constexpr int64_t kBlockSize = 16;

void ReportProgress(int64_t position, int64_t size) {
  if (CipherProgress)
    CipherProgress(static_cast<int32_t>(position), static_cast<int32_t>(size));
}

// The calls block-at-a-time transforming would make for the `blocks` blocks after `position`.
void ReportPassProgress(int64_t position, int64_t blocks, int64_t size) {
  if (!CipherProgress)
    return;
  for (int64_t i = 1; i <= blocks; ++i) {
    if ((position + kBlockSize * i) % CipherProgressStep == 0)
      ReportProgress(position + kBlockSize * i, size);
  }
}

}  // namespace

void CipherStream(TStream& input,
                  TStream& output,
                  const uint8_t* key,
                  int32_t key_length,
                  CipherDirection direction) {
  CipherContext context;
  InitCipher(key, key_length, context, direction);
  CipherSchedule schedule;
  PrepareSchedule(context, schedule);
  const bool encipher = direction != CipherDirection::kDecipher;

  const int64_t size = input.Size();
  int64_t full_blocks = size / kBlockSize;
  if (!encipher) {
    // The final block is always there; without it there is nothing to decipher.
    if (full_blocks < 1)
      Raise<ECipherException>(kInvalidFileFormat);
    --full_blocks;
  }

  // The input position as block-at-a-time reading would leave it, for the progress hook.
  int64_t position = input.Position();
  // No larger than the content: a package of thousands of small files would otherwise ask the
  // system for a fresh megabyte for each.
  const int64_t capacity = std::min(full_blocks * kBlockSize, CipherPassSize);
  const auto buffer = std::make_unique<uint8_t[]>(static_cast<size_t>(capacity));
  while (full_blocks > 0) {
    const int64_t wanted = std::min(full_blocks * kBlockSize, capacity);
    const int64_t got = ReadUpTo(input, buffer.get(), wanted);
    const int64_t blocks = got / kBlockSize;
    CipherBlocks(schedule, buffer.get(), blocks);
    ReportPassProgress(position, blocks, size);
    position += blocks * kBlockSize;
    output.WriteBuffer(buffer.get(), blocks * kBlockSize);
    if (got < wanted)
      Raise<ECipherException>(kInvalidFileFormat);
    full_blocks -= blocks;
  }

  uint8_t block[kBlockSize] = {};
  if (encipher) {
    const int64_t rest = size % kBlockSize;
    if (ReadUpTo(input, block, rest) < rest)
      Raise<ECipherException>(kInvalidFileFormat);
    position += rest;
    block[kBlockSize - 1] = static_cast<uint8_t>(rest);
    CipherBlock(context, block);
    output.WriteBuffer(block, kBlockSize);
  } else {
    if (ReadUpTo(input, block, kBlockSize) < kBlockSize)
      Raise<ECipherException>(kInvalidFileFormat);
    position += kBlockSize;
    CipherBlock(context, block);
    const uint8_t rest = block[kBlockSize - 1];
    // Only a wrong key or a damaged payload gives more; never write past the block.
    if (rest >= kBlockSize)
      Raise<ECipherException>(kInvalidFileFormat);
    output.WriteBuffer(block, rest);
  }
  ReportProgress(position, size);
}

}  // namespace xa
