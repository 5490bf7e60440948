#ifndef XA_XAPACK_PACKAGE_LISTING_H_
#define XA_XAPACK_PACKAGE_LISTING_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "package/stream.h"
#include "xapack/banner_picture.h"

namespace xa::xapack {

enum class PackageRole { kInstall, kUninstall };

// One package file of an installer. Texts are UTF-8.
struct ListedFile {
  std::string target;
  std::string shortcut;
  int64_t size = 0;         // plain
  int64_t stored_size = 0;  // enciphered
  int64_t offset = 0;
  uint64_t creation_time = 0;    // Windows file time
  uint64_t last_write_time = 0;  // Windows file time
};

// What an installer or an uninstaller carries. Texts are UTF-8, converted from the record's
// ANSI texts; fields the role does not have stay empty.
struct PackageListing {
  PackageRole role = PackageRole::kInstall;
  std::string name;
  int32_t version_major = 0;
  int32_t version_minor = 0;
  int32_t version_build = 0;
  int32_t version_release = 0;
  std::string publisher;
  std::string website;
  std::string address;
  std::string contact_name;
  std::string contact_email;
  std::string settings_override;
  int64_t license_size = 0;
  int64_t readme_size = 0;
  int64_t whats_new_size = 0;
  int64_t banner_size = 0;
  std::optional<PixelSize> banner_pixels;  // nullopt when the banner is no whole JPEG file
  std::vector<ListedFile> files;
  std::vector<std::string> recorded_folders;
  std::vector<std::string> recorded_files;
};

// The role of the record that the pointer at offset 136 of `executable` names; nullopt when it
// names none.
std::optional<PackageRole> RoleOfRecord(TStream& executable);

// The role of the record the executable at `path` carries; nullopt when it carries none.
// Raises xa::EStreamError "Cannot open file ..." when the file cannot be opened.
std::optional<PackageRole> DetectRole(const std::string& path);

// Reads what the installer or uninstaller at `path` carries. Raises xa::Exception
// "PATH: problem" when the file cannot be read, carries no record, or a file entry's stored
// content lies outside the file or does not decipher.
PackageListing ReadListing(const std::string& path);

}  // namespace xa::xapack

#endif  // XA_XAPACK_PACKAGE_LISTING_H_
