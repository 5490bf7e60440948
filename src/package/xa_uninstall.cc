#include "package/xa_uninstall.h"

#include "package/description_io.h"
#include "package/record_location.h"
#include "package/record_tags.h"
#include "package/scramble.h"
#include "package/tag_stream.h"

namespace xa {

void TXaUninstall::Clear() {
  TXaData::Clear();
  RecordedFiles.clear();
  RecordedFolders.clear();
}

void TXaUninstall::LoadFromStream(TStream& stream) {
  Clear();
  RecordFound = false;
  TTagStreamAdapter adapter(stream);
  if (!SeekToRecord(stream) || !adapter.CheckMagic(MagicOf(kUninstallMagic)))
    return;
  RecordFound = true;
  while (adapter.ReadTag()) {
    if (ReadDescriptionTag(adapter, *this))
      continue;
    switch (adapter.TagId) {
      case kTagUninstallBanner:
        Banner = adapter.ReadBlock();
        break;
      case kTagRecordedFolder:
        RecordedFolders.push_back(UnscrambleText(adapter.ReadString()));
        break;
      case kTagRecordedFile:
        RecordedFiles.push_back(UnscrambleText(adapter.ReadString()));
        break;
      default:
        adapter.SkipValue();
    }
  }
}

}  // namespace xa
