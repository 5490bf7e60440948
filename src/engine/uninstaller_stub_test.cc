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
