#include "package/package_writer.h"

#include <limits>

#include "package/aes.h"
#include "package/cipher_stream.h"
#include "package/description_io.h"
#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/record_location.h"
#include "package/record_tags.h"
#include "package/scramble.h"
#include "package/tag_stream.h"

namespace xa {
namespace {

constexpr int64_t kMaxFormatOffset = std::numeric_limits<int32_t>::max();

void WriteFileEntry(TTagStreamAdapter& adapter, const TXaInstallFile& file) {
  adapter.WriteTagHeader(kTagFile, kTagList);
  adapter.WriteString(kTagTargetPath, ScrambleText(file.TargetPath));
  adapter.WriteInteger(kTagCreationLow, static_cast<int32_t>(file.CreationTime & 0xFFFFFFFF));
  adapter.WriteInteger(kTagCreationHigh, static_cast<int32_t>(file.CreationTime >> 32));
  adapter.WriteInteger(kTagLastWriteLow, static_cast<int32_t>(file.LastWriteTime & 0xFFFFFFFF));
  adapter.WriteInteger(kTagLastWriteHigh, static_cast<int32_t>(file.LastWriteTime >> 32));
  adapter.WriteString(kTagShortcutName, ScrambleText(file.ShortcutName));
  adapter.WriteInteger(kTagSize, file.Size);
  adapter.WriteInteger(kTagOffset, file.Offset);
  adapter.WriteEndMarker();
}

std::vector<uint8_t> SerializePayload(const TXaInstall& package) {
  TMemoryStream payload;
  TTagStreamAdapter adapter(payload);
  adapter.WriteMagic(MagicOf(kInstallMagic));
  WriteDescriptionTags(adapter, package);
  adapter.WriteString(kTagLicenseText, ScrambleText(package.LicenseText));
  adapter.WriteString(kTagReadmeText, ScrambleText(package.ReadmeText));
  adapter.WriteString(kTagWhatsNewText, ScrambleText(package.WhatsNewText));
  adapter.WriteString(kTagSettingsOverride, ScrambleText(package.SettingsOverride));
  std::vector<uint8_t> masked_key(package.ContentKey.begin(), package.ContentKey.end());
  for (uint8_t& byte : masked_key)
    byte ^= kContentKeyMask;
  TMemoryStream key(std::move(masked_key));
  adapter.WriteStream(kTagContentKey, key, static_cast<int32_t>(key.Size()));
  if (!package.Banner.empty()) {
    TMemoryStream banner(package.Banner);
    adapter.WriteStream(kTagInstallBanner, banner, static_cast<int32_t>(banner.Size()));
  }
  for (const auto& file : package.Files)
    WriteFileEntry(adapter, *file);
  adapter.WriteEndMarker();
  return std::move(payload.Bytes());
}

void CheckFits(int64_t value) {
  if (value > kMaxFormatOffset)
    Raise<Exception>("The package is too large: an installer holds at most 2 GiB");
}

}  // namespace

int64_t StoredSize(int64_t plain_size) {
  return (plain_size / 16 + 1) * 16;
}

void WriteInstaller(TXaInstall& package,
                    const std::vector<TStream*>& contents,
                    TStream& stub,
                    TStream& output) {
  if (contents.size() != package.Files.size())
    Raise<Exception>("Every package file needs its content");
  const int64_t stub_size = stub.Size();
  if (stub_size < kPayloadPointerOffset + 4)
    Raise<Exception>("The stub is too small to hold the record pointer");
  for (size_t i = 0; i < contents.size(); ++i) {
    const int64_t size = StoredSize(contents[i]->Size() - contents[i]->Position());
    CheckFits(size);
    package.Files[i]->Size = static_cast<int32_t>(size);
  }
  // Every integer tag has a fixed width, so the payload's length does not depend on the offsets.
  int64_t offset = stub_size + static_cast<int64_t>(SerializePayload(package).size());
  for (const auto& file : package.Files) {
    CheckFits(offset);
    file->Offset = static_cast<int32_t>(offset);
    offset += file->Size;
  }
  CheckFits(offset - 1);
  const std::vector<uint8_t> payload = SerializePayload(package);

  stub.Seek(0, SeekOrigin::kBeginning);
  output.CopyFrom(stub, stub_size);
  output.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  for (TStream* content : contents) {
    CipherStream(*content, output, package.ContentKey.data(),
                 static_cast<int32_t>(package.ContentKey.size()), CipherDirection::kEncipher);
  }
  StampRecordPointer(output, static_cast<int32_t>(stub_size));
}

}  // namespace xa
