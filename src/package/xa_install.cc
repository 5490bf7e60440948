#include "package/xa_install.h"

#include "package/description_io.h"
#include "package/memory_stream.h"
#include "package/record_location.h"
#include "package/record_tags.h"
#include "package/scramble.h"
#include "package/tag_stream.h"

namespace xa {
namespace {

void SetLow(uint64_t& time, int32_t value) {
  time = (time & 0xFFFFFFFF00000000ull) | static_cast<uint32_t>(value);
}

void SetHigh(uint64_t& time, int32_t value) {
  time = (time & 0xFFFFFFFFull) | static_cast<uint64_t>(static_cast<uint32_t>(value)) << 32;
}

void ReadFileEntry(TTagStreamAdapter& adapter, TXaInstallFile& file) {
  while (adapter.ReadTag()) {
    switch (adapter.TagId) {
      case kTagTargetPath:
        file.TargetPath = UnscrambleText(adapter.ReadString());
        break;
      case kTagCreationLow:
        SetLow(file.CreationTime, adapter.ReadInteger());
        break;
      case kTagCreationHigh:
        SetHigh(file.CreationTime, adapter.ReadInteger());
        break;
      case kTagLastWriteLow:
        SetLow(file.LastWriteTime, adapter.ReadInteger());
        break;
      case kTagLastWriteHigh:
        SetHigh(file.LastWriteTime, adapter.ReadInteger());
        break;
      case kTagShortcutName:
        file.ShortcutName = UnscrambleText(adapter.ReadString());
        break;
      case kTagSize:
        file.Size = adapter.ReadInteger();
        break;
      case kTagOffset:
        file.Offset = adapter.ReadInteger();
        break;
      default:
        adapter.SkipValue();
    }
  }
}

}  // namespace

void TXaInstall::Clear() {
  TXaData::Clear();
  Files.clear();
  SettingsOverride.clear();
  LicenseText.clear();
  ReadmeText.clear();
  WhatsNewText.clear();
  ContentKey.fill(0);
  CutShort = false;
}

TXaInstallFile& TXaInstall::AddFile() {
  Files.push_back(std::make_unique<TXaInstallFile>());
  return *Files.back();
}

void TXaInstall::LoadFromStream(TStream& stream) {
  Clear();
  TTagStreamAdapter adapter(stream);
  if (!SeekToRecord(stream) || !adapter.CheckMagic(MagicOf(kInstallMagic)))
    return;
  while (adapter.ReadTag()) {
    if (ReadDescriptionTag(adapter, *this))
      continue;
    switch (adapter.TagId) {
      case kTagLicenseText:
        LicenseText = UnscrambleText(adapter.ReadString());
        break;
      case kTagReadmeText:
        ReadmeText = UnscrambleText(adapter.ReadString());
        break;
      case kTagWhatsNewText:
        WhatsNewText = UnscrambleText(adapter.ReadString());
        break;
      case kTagSettingsOverride:
        SettingsOverride = UnscrambleText(adapter.ReadString());
        break;
      case kTagContentKey: {
        // Never more than the 16 key bytes, whatever length the tag claims.
        ContentKey.fill(0);
        const size_t stored = adapter.ReadBlockInto(ContentKey.data(), ContentKey.size());
        for (size_t i = 0; i < stored; ++i)
          ContentKey[i] ^= kContentKeyMask;
        break;
      }
      case kTagInstallBanner:
        Banner = adapter.ReadBlock();
        break;
      case kTagFile:
        ReadFileEntry(adapter, AddFile());
        break;
      default:
        adapter.SkipValue();
    }
  }
  CutShort = adapter.AtEndOfData();
}

void TXaInstall::SaveUninstallRecord(TStream& stream) const {
  const int64_t record_start = stream.Position();
  TTagStreamAdapter adapter(stream);
  adapter.WriteMagic(MagicOf(kUninstallMagic));
  WriteDescriptionTags(adapter, *this);
  if (!Banner.empty()) {
    TMemoryStream banner(Banner);
    adapter.WriteStream(kTagUninstallBanner, banner, static_cast<int32_t>(Banner.size()));
  }
  for (const TInstalledItem& item : InstalledItems) {
    adapter.WriteString(item.Mark == kInstalledFolder ? kTagRecordedFolder : kTagRecordedFile,
                        ScrambleText(item.Path));
  }
  StampRecordPointer(stream, static_cast<int32_t>(record_start));
}

}  // namespace xa
