#include "xapack/stored_content.h"

#include "package/aes.h"
#include "package/errors.h"

namespace xa::xapack {
namespace {

constexpr int64_t kBlockSize = 16;

}  // namespace

std::optional<std::string> StoredContentProblem(const TXaInstallFile& file,
                                                int64_t installer_size) {
  if (file.Offset < 0)
    return "its content has a negative offset";
  if (file.Size < kBlockSize || file.Size % kBlockSize != 0)
    return "its stored size " + std::to_string(file.Size) + " is not a positive multiple of 16";
  if (int64_t{file.Offset} + file.Size > installer_size)
    return "its content runs past the end of the file";
  return std::nullopt;
}

int64_t PlainSizeOf(TStream& installer,
                    const TXaInstallFile& file,
                    const std::array<uint8_t, 16>& key) {
  uint8_t block[kBlockSize];
  installer.Seek(int64_t{file.Offset} + file.Size - kBlockSize, SeekOrigin::kBeginning);
  installer.ReadBuffer(block, kBlockSize);
  CipherContext context;
  InitCipher(key.data(), static_cast<int32_t>(key.size()), context, CipherDirection::kDecipher);
  CipherBlock(context, block);
  if (block[kBlockSize - 1] >= kBlockSize)
    throw ECipherException(kInvalidFileFormat);
  return file.Size - kBlockSize + block[kBlockSize - 1];
}

}  // namespace xa::xapack
