#include "xapack/package_extractor.h"

#include <filesystem>
#include <vector>

#include "package/cipher_stream.h"
#include "package/errors.h"
#include "package/file_stream.h"
#include "package/sub_stream.h"
#include "package/xa_install.h"
#include "xapack/os_services.h"
#include "xapack/package_listing.h"
#include "xapack/stored_content.h"
#include "xapack/target_path.h"
#include "xapack/write_behind_stream.h"

namespace xa::xapack {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

struct Placement {
  const TXaInstallFile* file;
  std::string folder;
  std::string path;
};

std::string Describe(size_t index, const TXaInstallFile& file) {
  return "file entry " + std::to_string(index + 1) + " (" + AnsiToUtf8(file.TargetPath) + ")";
}

// Where each file goes; raises for the first file that cannot be placed safely.
std::vector<Placement> PlaceFiles(const TXaInstall& package,
                                  int64_t installer_size,
                                  const std::string& folder) {
  std::vector<Placement> placements;
  for (size_t i = 0; i < package.Files.size(); ++i) {
    const TXaInstallFile& file = *package.Files[i];
    const auto names = ExtractionPath(file.TargetPath);
    if (!names) {
      throw Exception(Describe(i, file) + ": the target is not a safe path (it " +
                      *TargetPathProblem(file.TargetPath) + ")");
    }
    if (const auto problem = StoredContentProblem(file, installer_size))
      throw Exception(Describe(i, file) + ": " + *problem);
    Placement placement{&file, folder, ""};
    for (size_t k = 0; k + 1 < names->size(); ++k)
      placement.folder += kSeparator + (*names)[k];
    placement.path = placement.folder + kSeparator + names->back();
    placements.push_back(std::move(placement));
  }
  return placements;
}

// Contents of a few passes and more are written by a thread of their own while the next pass
// is deciphered; for smaller ones starting the thread would cost more than it saves.
constexpr int64_t kWriteBehindSize = 4 * CipherPassSize;

void Decipher(TStream& content, TFileStream& output, const TXaInstall& package, int64_t size) {
  const auto key_length = static_cast<int32_t>(package.ContentKey.size());
  if (size < kWriteBehindSize) {
    CipherStream(content, output, package.ContentKey.data(), key_length,
                 CipherDirection::kDecipher);
    return;
  }
  TWriteBehindStream behind(output);
  CipherStream(content, behind, package.ContentKey.data(), key_length, CipherDirection::kDecipher);
  behind.Finish();
}

void ExtractFile(TFileStream& installer, const TXaInstall& package, const Placement& placement) {
  const TXaInstallFile& file = *placement.file;
  std::filesystem::create_directories(placement.folder);
  const std::string temporary = placement.path + ".xapack-part";
  try {
    {
      TFileStream output(temporary, FileMode::kCreate);
      TSubStream window(&installer, file.Offset, int64_t{file.Offset} + file.Size - 1, false);
      window.Seek(0, SeekOrigin::kBeginning);
      Decipher(window, output, package, file.Size);
      SetFileTimes(output, FileTimes{file.CreationTime, file.LastWriteTime});
    }
    ReplaceFileWith(temporary, placement.path);
  } catch (...) {
    RemoveFileQuietly(temporary);
    throw;
  }
}

int ExtractInstaller(const std::string& installer_path, const std::string& folder) {
  const auto role = DetectRole(installer_path);
  if (role == PackageRole::kUninstall)
    throw Exception("is an uninstaller; only installers carry package files");
  if (!role)
    throw Exception("carries no installer record");
  TXaInstall package;
  package.LoadFromFile(installer_path);
  if (package.CutShort)
    throw Exception(kCutShortRecord);
  TFileStream installer(installer_path, FileMode::kOpenRead);
  const std::vector<Placement> placements = PlaceFiles(package, installer.Size(), folder);
  for (size_t i = 0; i < placements.size(); ++i) {
    try {
      ExtractFile(installer, package, placements[i]);
    } catch (const std::exception& e) {
      throw Exception(Describe(i, *placements[i].file) + ": " + e.what());
    }
  }
  return static_cast<int>(placements.size());
}

}  // namespace

int ExtractPackage(const std::string& installer_path, const std::string& folder) {
  try {
    return ExtractInstaller(installer_path, folder);
  } catch (const std::exception& e) {
    throw Exception(installer_path + ": " + e.what());
  }
}

}  // namespace xa::xapack
