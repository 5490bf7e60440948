#ifndef XA_XAPACK_DATA_FOLDER_SCAN_H_
#define XA_XAPACK_DATA_FOLDER_SCAN_H_

#include <string>
#include <string_view>
#include <vector>

// Sorts the files of a folder laid out as a terminal's data folder into what a manifest
// installs, its documents and banner, and the files it leaves to the vendor.
namespace xa::xapack {

// What a file outside the terminal's folders can be to a package, by its name.
enum class ExtraRole { kNone, kLicense, kReadme, kWhatsNew, kBanner };

// The role the usual file names play: License, Licence or EULA, Readme, WhatsNew, What's New,
// Changes, Changelog or ReleaseNotes as .rtf or .txt (ASCII case, blanks, "_", "-" and "'"
// ignored), and banner.jpg or banner.jpeg. kNone for every other name.
ExtraRole ExtraRoleOf(std::string_view file_name);

// A file the manifest installs. Paths are UTF-8, relative to the scanned folder, with "/"
// between names.
struct ScannedFile {
  std::string source;
  std::string target;  // "{metatrader}\..." as DataFolderTarget gives it
};

// A file the manifest does not install, and why, as a phrase ("lies in no folder ...").
struct SkippedFile {
  std::string source;  // relative as above; its bytes need not be UTF-8 on POSIX systems
  std::string reason;
};

// What a scan found. Documents and the banner are relative paths as above, empty for none.
struct DataFolderScan {
  std::vector<ScannedFile> files;  // by source path, ASCII case ignored
  std::string license;
  std::string readme;
  std::string whats_new;
  std::string banner;
  std::vector<SkippedFile> skipped;  // in the same order
};

// Scans the folder `folder` (UTF-8) and everything below it. A file below one of the
// terminal's folders (DataFolderTarget) becomes a package file when the manifest reader takes
// its name and target: names Windows allows, characters the ANSI code page holds, a target
// no other file has (ASCII case ignored). A file with a usual document or banner name directly
// in the folder or in a sub-folder that is no terminal folder becomes that document when its
// content suits the manifest reader (RTF, UTF-8 text, a whole JPEG picture, at most
// kMaxDocumentSize bytes); the first one found wins, those directly in the folder first.
// Every other file is skipped with its reason. Raises xa::Exception or
// std::filesystem::filesystem_error when the folder or a file cannot be read.
DataFolderScan ScanDataFolder(const std::string& folder);

}  // namespace xa::xapack

#endif  // XA_XAPACK_DATA_FOLDER_SCAN_H_
