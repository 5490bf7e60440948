#include "package/cipher_blocks.h"

#include <cstring>
#include <initializer_list>

#include "package/aes_ni.h"
#include "package/aes_tables.h"
#include "package/aes_vaes.h"
#include "package/cpu_features.h"

namespace xa {
namespace {

constexpr int kBlockSize = 16;

}  // namespace

CipherPath CipherPathLimit = CipherPath::kVaes;

bool CipherPathAvailable(CipherPath path) {
  switch (path) {
    case CipherPath::kReference:
    case CipherPath::kTables:
      return true;
    case CipherPath::kAesNi:
      return DetectCpuFeatures().aes_ni;
    case CipherPath::kVaes:
      return DetectCpuFeatures().vaes;
  }
  return false;
}

CipherPath PreferredCipherPath() {
  for (CipherPath path : {CipherPath::kVaes, CipherPath::kAesNi, CipherPath::kTables}) {
    if (path <= CipherPathLimit && CipherPathAvailable(path))
      return path;
  }
  return CipherPath::kReference;
}

void PrepareSchedule(const CipherContext& context, CipherPath path, CipherSchedule& schedule) {
  schedule.context = context;
  schedule.path = path;
  const int32_t rounds = context.rounds;
  if (context.direction != CipherDirection::kDecipher) {
    std::memcpy(schedule.keys, context.round_keys, sizeof schedule.keys);
    return;
  }
  std::memset(schedule.keys, 0, sizeof schedule.keys);
  for (int32_t i = 0; i <= rounds; ++i) {
    uint8_t* key = schedule.keys + kBlockSize * i;
    std::memcpy(key, context.round_keys + kBlockSize * (rounds - i), kBlockSize);
    if (i > 0 && i < rounds)
      InvMixColumns(key);
  }
}

void PrepareSchedule(const CipherContext& context, CipherSchedule& schedule) {
  PrepareSchedule(context, PreferredCipherPath(), schedule);
}

void CipherBlocks(const CipherSchedule& schedule, uint8_t* data, int64_t count) {
  const int32_t rounds = schedule.context.rounds;
  const bool encipher = schedule.context.direction != CipherDirection::kDecipher;
  switch (schedule.path) {
    case CipherPath::kReference:
      for (int64_t i = 0; i < count; ++i)
        CipherBlock(schedule.context, data + kBlockSize * i);
      return;
    case CipherPath::kTables:
      TableCipherBlocks(schedule.keys, rounds, encipher, data, count);
      return;
    case CipherPath::kAesNi:
      AesNiCipherBlocks(schedule.keys, rounds, encipher, data, count);
      return;
    case CipherPath::kVaes:
      VaesCipherBlocks(schedule.keys, rounds, encipher, data, count);
      return;
  }
}

}  // namespace xa
