#ifndef XA_PACKAGE_RECORD_TAGS_H_
#define XA_PACKAGE_RECORD_TAGS_H_

#include <cstdint>

namespace xa {

// Tag ids shared by the install payload and the uninstall record.
enum DescriptionTag : int32_t {
  kTagProgramName = 2,
  kTagVersionMajor = 3,
  kTagVersionMinor = 4,
  kTagVersionBuild = 5,
  kTagVersionRelease = 6,
  kTagPublisher = 7,
  kTagWebsite = 8,
  kTagAddress = 9,
  kTagContactName = 10,
  kTagContactEmail = 11,
};

// Tag ids of the install payload only.
enum InstallTag : int32_t {
  kTagLicenseText = 12,
  kTagReadmeText = 13,
  kTagWhatsNewText = 14,
  kTagSettingsOverride = 16,
  kTagContentKey = 18,
  kTagInstallBanner = 19,
  kTagFile = 20,
};

// Sub-tag ids of one file entry of the install payload.
enum FileTag : int32_t {
  kTagTargetPath = 1,
  kTagCreationLow = 2,
  kTagCreationHigh = 3,
  kTagLastWriteLow = 4,
  kTagLastWriteHigh = 5,
  kTagShortcutName = 6,
  kTagSize = 7,
  kTagOffset = 8,
};

// Tag ids of the uninstall record only.
enum UninstallTag : int32_t {
  kTagUninstallBanner = 12,
  kTagRecordedFolder = 13,
  kTagRecordedFile = 14,
};

}  // namespace xa

#endif  // XA_PACKAGE_RECORD_TAGS_H_
