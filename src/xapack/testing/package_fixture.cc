#include "xapack/testing/package_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "xapack/utf8.h"

namespace xa::xapack::testing {
namespace {

void Put32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    image[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(std::vector<uint8_t>& image, size_t at, uint16_t value) {
  image[at] = static_cast<uint8_t>(value);
  image[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

void WriteFile(const std::string& path, const std::string& bytes) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty())
    std::filesystem::create_directories(parent);
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream)
    throw std::runtime_error("cannot write " + path);
}

void WriteFileAtUtf8Path(const std::string& path, const std::string& bytes) {
  const std::filesystem::path native = FsPathFromUtf8(path);
  std::filesystem::create_directories(native.parent_path());
  std::ofstream stream(native, std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream)
    throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream)
    throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << stream.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

std::vector<uint8_t> MakeStub(uint32_t pe_offset, size_t size) {
  std::vector<uint8_t> image(size, 0);
  image[0] = 'M';
  image[1] = 'Z';
  Put32(image, 0x3c, pe_offset);
  Put32(image, pe_offset, 0x00004550);  // "PE\0\0"
  Put16(image, pe_offset + 4, 0x014c);  // i386
  Put16(image, pe_offset + 6, 0);       // no sections
  Put16(image, pe_offset + 20, 0xE0);   // size of a PE32 optional header
  Put16(image, pe_offset + 22, 0x0102);
  Put16(image, pe_offset + 24, 0x010b);  // PE32 magic
  return image;
}

std::string SampleBanner() {
  return ReadFile(XA_SAMPLE_PACKAGE_DIR "/art/banner.jpg");
}

PackageFolder::PackageFolder() {
  WriteFile(Path("mql4/Sample.ex4"),
            std::string("\x00\x01\x02 indicator \xff", 15) + std::string(1000, 'i'));
  WriteFile(Path("mql4/Expert.ex4"), std::string(32, 'e'));
  WriteFile(Path("docs/Readme.rtf"), "{\\rtf1 readme}");
  WriteFile(Path("docs/License.txt"), "Use {freely}\nat C:\\risk");
  WriteFile(Path("art/banner.jpg"), SampleBanner());
  const std::vector<uint8_t> stub = MakeStub();
  WriteFile(StubPath(), std::string(stub.begin(), stub.end()));
}

std::string PackageFolder::WriteManifest(const std::string& text) const {
  const std::string path = Path("package.toml");
  WriteFile(path, text);
  return path;
}

std::string PackageFolder::DefaultManifest() {
  return R"([program]
name = "Sample Trend Indicator"
version = "2.10"
build = 3
publisher = "Pub"
website = "https://example.com"
license = "docs/License.txt"
readme = "docs/Readme.rtf"
banner = "art/banner.jpg"
settings_override = "11 0"

[[file]]
source = "mql4/Sample.ex4"
target = "{metatrader}\\MQL4\\Experts\\Sample.ex4"
shortcut = "Sample manual"
time = 2026-01-31T23:59:59Z

[[file]]
source = "mql4/Expert.ex4"
target = "{app}\\Expert.ex4"
)";
}

std::vector<std::string> PackageFolder::FileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    if (entry.is_regular_file())
      names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace xa::xapack::testing
