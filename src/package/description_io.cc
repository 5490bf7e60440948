#include "package/description_io.h"

#include "package/record_tags.h"
#include "package/scramble.h"

namespace xa {

bool ReadDescriptionTag(TTagStreamAdapter& adapter, TXaData& record) {
  switch (adapter.TagId) {
    case kTagProgramName:
      record.ProgramName = UnscrambleText(adapter.ReadString());
      return true;
    case kTagVersionMajor:
      record.VersionMajor = adapter.ReadInteger();
      return true;
    case kTagVersionMinor:
      record.VersionMinor = adapter.ReadInteger();
      return true;
    case kTagVersionBuild:
      record.VersionBuild = adapter.ReadInteger();
      return true;
    case kTagVersionRelease:
      record.VersionRelease = adapter.ReadInteger();
      return true;
    case kTagPublisher:
      record.Publisher = UnscrambleText(adapter.ReadString());
      return true;
    case kTagWebsite:
      record.Website = UnscrambleText(adapter.ReadString());
      return true;
    case kTagAddress:
      record.Address = UnscrambleText(adapter.ReadString());
      return true;
    case kTagContactName:
      record.ContactName = UnscrambleText(adapter.ReadString());
      return true;
    case kTagContactEmail:
      record.ContactEmail = UnscrambleText(adapter.ReadString());
      return true;
    default:
      return false;
  }
}

void WriteDescriptionTags(TTagStreamAdapter& adapter, const TXaData& record) {
  adapter.WriteString(kTagProgramName, ScrambleText(record.ProgramName));
  adapter.WriteInteger(kTagVersionMajor, record.VersionMajor);
  adapter.WriteInteger(kTagVersionMinor, record.VersionMinor);
  adapter.WriteInteger(kTagVersionBuild, record.VersionBuild);
  adapter.WriteInteger(kTagVersionRelease, record.VersionRelease);
  adapter.WriteString(kTagPublisher, ScrambleText(record.Publisher));
  adapter.WriteString(kTagWebsite, ScrambleText(record.Website));
  adapter.WriteString(kTagAddress, ScrambleText(record.Address));
  adapter.WriteString(kTagContactName, ScrambleText(record.ContactName));
  adapter.WriteString(kTagContactEmail, ScrambleText(record.ContactEmail));
}

}  // namespace xa
