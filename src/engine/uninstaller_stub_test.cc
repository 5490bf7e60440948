#include <gtest/gtest.h>

#include <vector>

#include "engine/uninstaller_stub.h"
#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/record_location.h"

namespace xa {
namespace {

// An installer of `size` bytes whose pointer at offset 136 holds `pointer`.
TMemoryStream Installer(size_t size, uint32_t pointer) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  for (int i = 0; i < 4 && 136u + i < size; ++i)
    bytes[136 + i] = static_cast<uint8_t>(pointer >> (8 * i));
  return TMemoryStream(std::move(bytes));
}

TEST(CopyInstallerStubTest, CopiesTheFirstNBytes) {
  for (uint32_t stub_size : {140u, 5000u, 10000u, 12345u}) {
    TMemoryStream installer = Installer(12345, stub_size);
    installer.Seek(777, SeekOrigin::kBeginning);
    TMemoryStream output;
    EXPECT_EQ(CopyInstallerStub(installer, output), stub_size);
    const std::vector<uint8_t>& source = installer.Bytes();
    EXPECT_EQ(output.Bytes(), std::vector<uint8_t>(source.begin(), source.begin() + stub_size));
  }
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A signed PE32 installer of `size` bytes: headers at 0x100, checksum and certificate table set,
// the record pointer naming `pointer`.
std::vector<uint8_t> SignedInstaller(size_t size, uint32_t pointer) {
  std::vector<uint8_t> bytes = Installer(size, pointer).Bytes();
  bytes[0] = 'M';
  bytes[1] = 'Z';
  Put32(bytes, 0x3c, 0x100);
  Put32(bytes, 0x100, 0x00004550);
  bytes[0x100 + 20] = 0xE0;  // optional header size
  bytes[0x100 + 21] = 0;
  bytes[0x118] = 0x0b;  // PE32
  bytes[0x119] = 0x01;
  Put32(bytes, 0x118 + 64, 0x0002F00D);
  Put32(bytes, 0x118 + 92, 16);
  Put32(bytes, 0x118 + 96 + 32, static_cast<uint32_t>(size) - 0x200);
  Put32(bytes, 0x118 + 96 + 36, 0x200);
  return bytes;
}

TEST(CopyInstallerStubTest, DropsTheSignatureOfASignedInstaller) {
  for (uint32_t stub_size : {0x400u, 6000u}) {
    TMemoryStream installer(SignedInstaller(9000, stub_size));
    TMemoryStream output;
    EXPECT_EQ(CopyInstallerStub(installer, output), stub_size);
    std::vector<uint8_t> expected(installer.Bytes().begin(), installer.Bytes().begin() + stub_size);
    Put32(expected, 0x118 + 64, 0);
    Put32(expected, 0x118 + 96 + 32, 0);
    Put32(expected, 0x118 + 96 + 36, 0);
    EXPECT_EQ(output.Bytes(), expected) << stub_size;
  }
}

TEST(CopyInstallerStubTest, RefusesPointersOutsideTheFile) {
  struct Case {
    size_t size;
    uint32_t pointer;
  };
  for (const Case& bad :
       {Case{12345, 139}, Case{12345, 0}, Case{12345, 12346}, Case{12345, 0x80000000u},
        Case{12345, 0xFFFFFFFFu}, Case{139, 0}, Case{100, 0}}) {
    TMemoryStream installer = Installer(bad.size, bad.pointer);
    TMemoryStream output;
    try {
      CopyInstallerStub(installer, output);
      ADD_FAILURE() << "no error for " << bad.size << " " << bad.pointer;
    } catch (const EStreamError& error) {
      EXPECT_STREQ(error.what(), kInvalidFileFormat);
    }
    EXPECT_TRUE(output.Bytes().empty());
  }
}

}  // namespace
}  // namespace xa
