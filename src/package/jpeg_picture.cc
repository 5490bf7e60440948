#include "package/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "package/errors.h"

namespace xa {
namespace {

// A banner is a small picture; refuse headers that would make us allocate gigabytes.
constexpr uint64_t kMaxPixels = 1 << 26;

// libjpeg reports fatal errors through error_exit, which must not return; we jump back to
// DecodeJpeg and raise there, after libjpeg's state has been destroyed.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

// Everything between setjmp and the last libjpeg call lives here, with no C++ objects whose
// destructors a longjmp would skip.
bool DecodeInto(jpeg_decompress_struct& info,
                ErrorManager& errors,
                const std::vector<uint8_t>& jpeg,
                TPicture& picture) {
  if (setjmp(errors.jump))
    return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (static_cast<uint64_t>(info.output_width) * info.output_height > kMaxPixels) {
    std::snprintf(errors.message, sizeof errors.message, "picture too large");
    return false;
  }
  picture.Width = static_cast<int32_t>(info.output_width);
  picture.Height = static_cast<int32_t>(info.output_height);
  const size_t stride = static_cast<size_t>(info.output_width) * 3;
  picture.Rgb.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.Rgb.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

TPicture DecodeJpeg(const std::vector<uint8_t>& jpeg) {
  if (jpeg.empty())
    throw Exception("Invalid JPEG data: empty");
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = IgnoreMessage;
  TPicture picture;
  const bool decoded = DecodeInto(info, errors, jpeg, picture);
  jpeg_destroy_decompress(&info);
  if (!decoded)
    throw Exception(std::string("Invalid JPEG data: ") + errors.message);
  return picture;
}

}  // namespace xa
