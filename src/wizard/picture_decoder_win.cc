#include "wizard/picture_decoder_win.h"

#include <wincodec.h>
#include <windows.h>

#include <string>

#include "package/errors.h"
#include "package/text_join.h"
#include "shell/com_ptr.h"

namespace xa {
namespace {

// The imaging factory, the JPEG and PNG containers and the 32-bit BGR pixel format, as
// wincodec.h names them; defined here so that no GUID library is linked for four GUIDs.
constexpr GUID kImagingFactory = {0xcacaf262,
                                  0x9370,
                                  0x4615,
                                  {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kJpegContainer = {0x19e4a5aa,
                                 0x5662,
                                 0x4fc5,
                                 {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}};
constexpr GUID kPngContainer = {0x1b7cfaf4,
                                0x713f,
                                0x473c,
                                {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
constexpr GUID kPixelFormatBgr32 = {0x6fddc324,
                                    0x4e03,
                                    0x4bfe,
                                    {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0e}};

// A picture of ours is small; refuse headers that would make us allocate gigabytes.
constexpr uint64_t kMaxPixels = 1 << 26;

// What a picture is decoded from: its bytes, its container format and the name errors give it.
struct TEncoded {
  const uint8_t* Bytes;
  size_t Size;
  const GUID& Container;
  const char* Kind;
};

void Check(HRESULT result, const TEncoded& encoded, const char* step) {
  if (FAILED(result))
    Raise<Exception>(JoinText({"Invalid ", encoded.Kind, " data: ", step}));
}

template <typename T>
T** Out(TComPtr<T>& pointer) {
  return reinterpret_cast<T**>(pointer.Receive());
}

// The first frame of `encoded`, converted to 32-bit BGR pixels: the one format every decoder's
// output converts to, palette pictures included, under Wine as under Windows.
void OpenConverted(IWICImagingFactory& factory,
                   const TEncoded& encoded,
                   TComPtr<IWICFormatConverter>& converter) {
  TComPtr<IWICStream> stream;
  Check(factory.CreateStream(Out(stream)), encoded, "no stream");
  // The decoder only reads; the interface takes the bytes as writable.
  Check(stream->InitializeFromMemory(const_cast<BYTE*>(encoded.Bytes),
                                     static_cast<DWORD>(encoded.Size)),
        encoded, "no stream");
  TComPtr<IWICBitmapDecoder> decoder;
  Check(factory.CreateDecoder(encoded.Container, nullptr, Out(decoder)), encoded, "no decoder");
  Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand), encoded,
        "unreadable header");
  TComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, Out(frame)), encoded, "no picture");
  Check(factory.CreateFormatConverter(Out(converter)), encoded, "no converter");
  Check(converter->Initialize(frame.Get(), kPixelFormatBgr32, WICBitmapDitherTypeNone, nullptr, 0.0,
                              WICBitmapPaletteTypeCustom),
        encoded, "unconvertible pixels");
}

TPicture Decode(const TEncoded& encoded) {
  if (encoded.Size == 0 || encoded.Size > MAXDWORD)
    Check(E_INVALIDARG, encoded, "empty");
  TComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         __uuidof(IWICImagingFactory), factory.Receive()),
        encoded, "no imaging component");
  TComPtr<IWICFormatConverter> converter;
  OpenConverted(*factory.Get(), encoded, converter);
  UINT width = 0;
  UINT height = 0;
  Check(converter->GetSize(&width, &height), encoded, "no size");
  if (width == 0 || height == 0 || uint64_t{width} * height > kMaxPixels)
    Check(E_INVALIDARG, encoded, "picture too large or empty");
  TPicture picture;
  picture.Width = static_cast<int32_t>(width);
  picture.Height = static_cast<int32_t>(height);
  picture.Rgb.resize(size_t{width} * height * 3);
  uint8_t* target = picture.Rgb.data();
  // A row at a time, so that the 32-bit pixels never take more room than one row.
  std::vector<BYTE> row(size_t{width} * 4);
  for (UINT y = 0; y < height; ++y) {
    const WICRect rows{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    Check(converter->CopyPixels(&rows, width * 4, static_cast<UINT>(row.size()), row.data()),
          encoded, "damaged picture data");
    for (size_t at = 0; at < row.size(); at += 4) {
      *target++ = row[at + 2];
      *target++ = row[at + 1];
      *target++ = row[at];
    }
  }
  return picture;
}

}  // namespace

TPicture DecodeJpeg(const std::vector<uint8_t>& jpeg) {
  return Decode({jpeg.data(), jpeg.size(), kJpegContainer, "JPEG"});
}

TPicture DecodePng(const uint8_t* png, size_t size) {
  return Decode({png, size, kPngContainer, "PNG"});
}

}  // namespace xa
