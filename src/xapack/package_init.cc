#include "xapack/package_init.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "package/errors.h"
#include "package/file_stream.h"
#include "xapack/data_folder_scan.h"
#include "xapack/manifest_draft.h"
#include "xapack/os_services.h"
#include "xapack/target_path.h"
#include "xapack/utf8.h"

namespace xa::xapack {
namespace {

// The folder as an absolute path without "." or ".." and without a trailing separator.
std::filesystem::path AbsoluteFolder(const std::string& folder) {
  const auto utf8 = PathToUtf8(folder);
  if (!utf8)
    throw Exception(folder + ": the path is not UTF-8");
  std::filesystem::path path = std::filesystem::absolute(FsPathFromUtf8(*utf8)).lexically_normal();
  if (!path.has_filename())
    path = path.parent_path();
  std::error_code ignored;
  if (!std::filesystem::is_directory(path, ignored))
    throw Exception(folder + ": is not a folder");
  if (!path.has_filename())
    throw Exception(folder + ": lies in no folder that could hold the manifest beside it");
  return path;
}

// The manifest reader's rules for a program name, which also starts every source path.
void CheckFolderName(const std::string& folder, const std::string& name) {
  const auto ansi = Utf8ToAnsi(name);
  if (!ansi || !IsPortableFileName(*ansi) || ContainsMacro(*ansi)) {
    throw Exception(folder + ": the folder's name \"" + name +
                    "\" cannot be a program name (it must be a folder name on Windows, without "
                    "a macro, in " +
                    AnsiCodePageName() + "); rename the folder");
  }
}

std::string PlatformPath(const std::filesystem::path& path) {
  const std::string utf8 = Utf8FromFsPath(path);
  const auto platform = PathFromUtf8(utf8);
  if (!platform)
    throw Exception(utf8 + ": cannot be a path on this system");
  return *platform;
}

// Writes `bytes` as the new file `path`, created only when nothing is there yet, in one step
// with that check. Returns false, writing nothing, when a file already exists at `path`. Raises
// xa::Exception naming the path when the file cannot be created or written; a file that could
// not be written whole is removed again, so that no partial manifest is left to be taken as
// written.
bool WriteNewFile(const std::string& path, std::string_view bytes) {
  std::unique_ptr<TFileStream> file = TFileStream::CreateNew(path);
  if (!file)
    return false;
  try {
    file->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  } catch (const EStreamError& error) {
    // Windows removes no file that is still open.
    file.reset();
    RemoveFileQuietly(path);
    throw Exception("Cannot write file \"" + path + "\". " + error.what());
  }
  return true;
}

}  // namespace

InitResult InitPackage(const std::string& folder) {
  const std::filesystem::path path = AbsoluteFolder(folder);
  const std::string name = Utf8FromFsPath(path.filename());
  CheckFolderName(folder, name);
  const std::filesystem::path manifest = path.parent_path() / kInitManifestName;
  InitResult result;
  result.manifest_path = PlatformPath(manifest);
  const std::string refusal = result.manifest_path +
                              ": already exists; xapack init never replaces a manifest (move it "
                              "away, or edit it)";
  std::error_code ignored;
  if (std::filesystem::exists(manifest, ignored))
    throw Exception(refusal);
  const DataFolderScan scan = ScanDataFolder(Utf8FromFsPath(path));
  if (!WriteNewFile(result.manifest_path, DraftManifest(name, scan)))
    throw Exception(refusal);
  result.files = scan.files.size();
  result.skipped = scan.skipped.size();
  return result;
}

}  // namespace xa::xapack
