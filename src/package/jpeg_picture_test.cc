#include "package/jpeg_picture.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>

#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"

namespace xa {
namespace {

// Encodes a width x height picture whose pixels are a gradient, as a package builder would.
std::vector<uint8_t> EncodeJpeg(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    for (size_t i = 0; i < row.size(); ++i)
      row[i] = static_cast<uint8_t>(i + info.next_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

TEST(JpegPictureTest, TheBannerOfALoadedPackageDecodesToItsSize) {
  TXaInstall package;
  package.ProgramName = "Banner test";
  package.Banner = EncodeJpeg(160, 320);
  std::vector<uint8_t> stub(200, 0);
  stub[0] = 'M';
  TMemoryStream stub_stream(stub);
  TMemoryStream installer;
  WriteInstaller(package, {}, stub_stream, installer);

  TXaInstall loaded;
  loaded.LoadFromStream(installer);
  const TPicture picture = DecodeJpeg(loaded.Banner);
  EXPECT_EQ(picture.Width, 160);
  EXPECT_EQ(picture.Height, 320);
  EXPECT_EQ(picture.Rgb.size(), 160u * 320u * 3u);

  // The uninstall record carries the very same bytes, not a re-encoded picture.
  TMemoryStream uninstaller(stub);
  uninstaller.Seek(0, SeekOrigin::kEnd);
  loaded.SaveUninstallRecord(uninstaller);
  TXaUninstall record;
  record.LoadFromStream(uninstaller);
  EXPECT_EQ(record.Banner, package.Banner);
}

TEST(JpegPictureTest, DamagedDataRaisesInsteadOfExiting) {
  std::vector<uint8_t> jpeg = EncodeJpeg(16, 16);
  const std::vector<std::vector<uint8_t>> damaged = {
      {},
      {0xFF, 0xD8},
      {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'},
      std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20),
  };
  for (const std::vector<uint8_t>& bytes : damaged) {
    try {
      DecodeJpeg(bytes);
      ADD_FAILURE() << "decoded " << bytes.size() << " bytes";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Invalid JPEG data: ", 0), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace xa
