#include "xapack/installer_builder.h"

#include <memory>

#include "package/errors.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "package/pe_checksum.h"
#include "package/pe_layout.h"
#include "package/record_location.h"
#include "package/xa_install.h"
#include "xapack/package_listing.h"
#include "xapack/write_behind_stream.h"

namespace xa::xapack {
namespace {

constexpr int64_t kMaxStubSize = int64_t{64} << 20;

std::vector<uint8_t> ReadStub(const std::string& path) {
  TFileStream stream(path, FileMode::kOpenRead);
  const int64_t size = stream.Size();
  if (size > kMaxStubSize)
    throw Exception(path + ": a stub program of more than 64 MiB is not plausible");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  stream.ReadBuffer(bytes.data(), size);
  return bytes;
}

std::unique_ptr<TXaInstall> PackageOf(const Manifest& manifest, const ContentKey& key) {
  auto package = std::make_unique<TXaInstall>();
  package->ProgramName = manifest.name;
  package->VersionMajor = manifest.version_major;
  package->VersionMinor = manifest.version_minor;
  package->VersionBuild = manifest.version_build;
  package->VersionRelease = manifest.version_release;
  package->Publisher = manifest.publisher;
  package->Website = manifest.website;
  package->Address = manifest.address;
  package->ContactName = manifest.contact_name;
  package->ContactEmail = manifest.contact_email;
  package->LicenseText = manifest.license;
  package->ReadmeText = manifest.readme;
  package->WhatsNewText = manifest.whats_new;
  package->Banner = manifest.banner;
  package->SettingsOverride = manifest.settings_override;
  package->ContentKey = key;
  for (const ManifestFile& source : manifest.files) {
    TXaInstallFile& file = package->AddFile();
    file.TargetPath = source.target;
    file.ShortcutName = source.shortcut;
    file.CreationTime = source.times.creation;
    file.LastWriteTime = source.times.last_write;
  }
  return package;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

bool IsSigned(const std::vector<uint8_t>& stub) {
  try {
    const PeDataDirectory table = CertificateTable(stub);
    return table.address != 0 || table.size != 0;
  } catch (const PeLayoutError&) {
    return false;  // headers too short to hold a certificate table entry
  }
}

void WriteTo(const std::string& path,
             TXaInstall& package,
             const std::vector<TStream*>& contents,
             TMemoryStream& stub) {
  TFileStream file(path, FileMode::kCreate);
  TWriteBehindStream behind(file);
  TPeChecksumStream output(behind);
  WriteInstaller(package, contents, stub, output);
  // The checksum in the stub's header was the bare program's; the installer's covers it all.
  output.StampChecksum();
  behind.Finish();
}

}  // namespace

void CheckStub(const std::vector<uint8_t>& stub, const std::string& stub_name) {
  uint32_t headers = 0;
  try {
    headers = NtHeadersOffset(stub);
    CheckSumOffset(stub);  // an optional header we know, whose checksum the build can write
  } catch (const PeLayoutError& e) {
    throw Exception(stub_name + ": the stub is " + e.what());
  }
  if (headers < kPayloadPointerOffset + 4) {
    throw Exception(stub_name +
                    ": the stub's PE header overlaps the record pointer at offset 136; "
                    "relocate its headers (xa_relocate_pe) first");
  }
  if (IsSigned(stub)) {
    throw Exception(stub_name +
                    ": the stub is signed, and appending the package would break its "
                    "signature; build from the unsigned program and sign the installer after "
                    "building");
  }
  TMemoryStream stub_stream(stub);
  if (RoleOfRecord(stub_stream)) {
    throw Exception(stub_name +
                    ": the stub already carries an installer or uninstaller record; use the "
                    "bare program");
  }
}

std::optional<ContentKey> ParseKey(const std::string& hex) {
  if (hex.size() != 32)
    return std::nullopt;
  ContentKey key{};
  for (size_t i = 0; i < key.size(); ++i) {
    const int high = HexDigit(hex[2 * i]);
    const int low = HexDigit(hex[2 * i + 1]);
    if (high < 0 || low < 0)
      return std::nullopt;
    key[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return key;
}

void BuildInstaller(const Manifest& manifest, const BuildOptions& options) {
  TMemoryStream stub(ReadStub(options.stub_path));
  CheckStub(stub.Bytes(), options.stub_path);
  ContentKey key{};
  if (options.key)
    key = *options.key;
  else
    SystemRandomBytes(key.data(), key.size());
  const auto package = PackageOf(manifest, key);

  std::vector<std::unique_ptr<TSourceFileStream>> sources;
  std::vector<TStream*> contents;
  for (const ManifestFile& file : manifest.files) {
    sources.push_back(std::make_unique<TSourceFileStream>(file.source, file.size, options.on_read));
    contents.push_back(sources.back().get());
  }
  const std::string temporary = options.output_path + ".xapack-part";
  try {
    try {
      WriteTo(temporary, *package, contents, stub);
      ReplaceFileWith(temporary, options.output_path);
    } catch (...) {
      RemoveFileQuietly(temporary);
      throw;
    }
  } catch (const SourceError&) {
    throw;
  } catch (const Exception& e) {
    throw Exception(options.output_path + ": " + e.what());
  }
}

}  // namespace xa::xapack
