#include "xapack/package_listing.h"

#include "package/errors.h"
#include "package/file_stream.h"
#include "package/record_location.h"
#include "package/tag_stream.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"
#include "xapack/os_services.h"
#include "xapack/stored_content.h"

namespace xa::xapack {
namespace {

void ListDescription(const TXaData& record, PackageListing& listing) {
  listing.name = AnsiToUtf8(record.ProgramName);
  listing.version_major = record.VersionMajor;
  listing.version_minor = record.VersionMinor;
  listing.version_build = record.VersionBuild;
  listing.version_release = record.VersionRelease;
  listing.publisher = AnsiToUtf8(record.Publisher);
  listing.website = AnsiToUtf8(record.Website);
  listing.address = AnsiToUtf8(record.Address);
  listing.contact_name = AnsiToUtf8(record.ContactName);
  listing.contact_email = AnsiToUtf8(record.ContactEmail);
  listing.banner_size = static_cast<int64_t>(record.Banner.size());
  if (!record.Banner.empty()) {
    try {
      listing.banner_pixels = ReadBannerSize(record.Banner);
    } catch (const Exception&) {
      // An undecodable banner is shown by its size alone; the listing goes on.
    }
  }
}

ListedFile ListFile(TStream& installer, const TXaInstall& package, size_t index) {
  const TXaInstallFile& file = *package.Files[index];
  const std::string where =
      "file entry " + std::to_string(index + 1) + " (" + AnsiToUtf8(file.TargetPath) + ")";
  if (const auto problem = StoredContentProblem(file, installer.Size()))
    throw Exception(where + ": " + *problem);
  ListedFile listed;
  listed.target = AnsiToUtf8(file.TargetPath);
  listed.shortcut = AnsiToUtf8(file.ShortcutName);
  try {
    listed.size = PlainSizeOf(installer, file, package.ContentKey);
  } catch (const ECipherException& e) {
    throw Exception(where + ": " + e.what() + " (damaged content or key)");
  }
  listed.stored_size = file.Size;
  listed.offset = file.Offset;
  listed.creation_time = file.CreationTime;
  listed.last_write_time = file.LastWriteTime;
  return listed;
}

PackageListing ListInstaller(const std::string& path) {
  TXaInstall package;
  package.LoadFromFile(path);
  if (package.CutShort)
    throw Exception(kCutShortRecord);
  PackageListing listing;
  listing.role = PackageRole::kInstall;
  ListDescription(package, listing);
  listing.settings_override = AnsiToUtf8(package.SettingsOverride);
  listing.license_size = static_cast<int64_t>(package.LicenseText.size());
  listing.readme_size = static_cast<int64_t>(package.ReadmeText.size());
  listing.whats_new_size = static_cast<int64_t>(package.WhatsNewText.size());
  TFileStream installer(path, FileMode::kOpenRead);
  for (size_t i = 0; i < package.Files.size(); ++i)
    listing.files.push_back(ListFile(installer, package, i));
  return listing;
}

PackageListing ListUninstaller(const std::string& path) {
  TXaUninstall record;
  record.LoadFromFile(path);
  PackageListing listing;
  listing.role = PackageRole::kUninstall;
  ListDescription(record, listing);
  for (const std::string& folder : record.RecordedFolders)
    listing.recorded_folders.push_back(AnsiToUtf8(folder));
  for (const std::string& file : record.RecordedFiles)
    listing.recorded_files.push_back(AnsiToUtf8(file));
  return listing;
}

}  // namespace

std::optional<PackageRole> RoleOfRecord(TStream& stream) {
  if (!SeekToRecord(stream))
    return std::nullopt;
  const int64_t record = stream.Position();
  TTagStreamAdapter adapter(stream);
  if (adapter.CheckMagic(MagicOf(kInstallMagic)))
    return PackageRole::kInstall;
  stream.Seek(record, SeekOrigin::kBeginning);
  if (adapter.CheckMagic(MagicOf(kUninstallMagic)))
    return PackageRole::kUninstall;
  return std::nullopt;
}

std::optional<PackageRole> DetectRole(const std::string& path) {
  TFileStream stream(path, FileMode::kOpenRead);
  return RoleOfRecord(stream);
}

PackageListing ReadListing(const std::string& path) {
  try {
    const auto role = DetectRole(path);
    if (!role)
      throw Exception("carries no installer or uninstaller record");
    return *role == PackageRole::kInstall ? ListInstaller(path) : ListUninstaller(path);
  } catch (const Exception& e) {
    throw Exception(path + ": " + e.what());
  }
}

}  // namespace xa::xapack
