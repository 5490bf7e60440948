#ifndef XA_XAPACK_LISTING_FORMAT_H_
#define XA_XAPACK_LISTING_FORMAT_H_

#include <string>

#include "xapack/package_listing.h"

namespace xa::xapack {

// The listing as readable text, one "Label: value" line per field, one line per package file
// (target, sizes, offset, ISO 8601 UTC times, shortcut) and, for an uninstaller, one line per
// recorded folder and file.
std::string FormatListingText(const PackageListing& listing);

// The listing as one JSON object with the keys role, name, version_major, version_minor,
// version_build, version_release, publisher, website, address, contact_name, contact_email,
// settings_override, license_size, readme_size, whats_new_size, banner_size, files (objects
// with target, size, stored_size, offset, creation_time, last_write_time, shortcut),
// recorded_folders and recorded_files.
std::string FormatListingJson(const PackageListing& listing);

}  // namespace xa::xapack

#endif  // XA_XAPACK_LISTING_FORMAT_H_
