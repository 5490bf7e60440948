#include "wizard/picture_win.h"

#include <initguid.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "package/errors.h"
#include "shell/com_apartment.h"
#include "shell/com_ptr.h"

namespace xa {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A picture whose every pixel has its own colour, derived from its position.
COLORREF ColourAt(int x, int y) {
  return RGB(10 + x * 17, 30 + y * 13, 250 - x * 5 - y * 7);
}

TPicture MakePicture(int width, int height) {
  TPicture picture;
  picture.Width = width;
  picture.Height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = ColourAt(x, y);
      picture.Rgb.push_back(GetRValue(colour));
      picture.Rgb.push_back(GetGValue(colour));
      picture.Rgb.push_back(GetBValue(colour));
    }
  }
  return picture;
}

// A white 32-bit canvas of 64 x 64 pixels in a memory context.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.Select(bitmap_.Get());
    const RECT all{0, 0, kSize, kSize};
    FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  HDC Get() const { return dc_.Get(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

  static constexpr int kSize = 64;

 private:
  TMemoryDC dc_;
  TGdiObject<HBITMAP> bitmap_;
};

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

TEST(PictureTest, BitmapHoldsThePicturePixelsIn24Bits) {
  const TGdiObject<HBITMAP> bitmap = CreatePictureBitmap(MakePicture(5, 3));
  ASSERT_TRUE(bitmap);
  BITMAP info{};
  ASSERT_NE(GetObjectW(bitmap.Get(), sizeof(info), &info), 0);
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 24);
  EXPECT_EQ(info.bmWidthBytes, 16);  // 15 bytes of pixels padded to 4
  TMemoryDC dc;
  dc.Select(bitmap.Get());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(GetPixel(dc.Get(), x, y), ColourAt(x, y)) << x << "," << y;
  }
}

TEST(PictureTest, EmptyPictureGivesNoBitmapAndShortDataRaises) {
  EXPECT_FALSE(CreatePictureBitmap(TPicture{}));
  TPicture short_data = MakePicture(4, 4);
  short_data.Rgb.pop_back();
  EXPECT_THROW(CreatePictureBitmap(short_data), Exception);
}

TEST(PictureTest, PaintCenteredDrawsThePictureCentredOnBlack) {
  const TGdiObject<HBITMAP> bitmap = CreatePictureBitmap(MakePicture(5, 3));
  Canvas canvas;
  const RECT area{10, 20, 50, 50};  // 40 x 30
  PaintCentered(canvas.Get(), area, bitmap.Get());
  // (40 - 5) / 2 = 17 and (30 - 3) / 2 = 13 pixels in from the area's corner.
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(canvas.Pixel(27 + x, 33 + y), ColourAt(x, y)) << x << "," << y;
  }
  EXPECT_EQ(canvas.Pixel(26, 33), kBlack);
  EXPECT_EQ(canvas.Pixel(32, 33), kBlack);
  EXPECT_EQ(canvas.Pixel(27, 32), kBlack);
  EXPECT_EQ(canvas.Pixel(27, 36), kBlack);
  EXPECT_EQ(canvas.Pixel(10, 20), kBlack);
  EXPECT_EQ(canvas.Pixel(49, 49), kBlack);
  EXPECT_EQ(canvas.Pixel(9, 20), kWhite);
  EXPECT_EQ(canvas.Pixel(50, 49), kWhite);
  EXPECT_EQ(canvas.Pixel(10, 19), kWhite);
  EXPECT_EQ(canvas.Pixel(10, 50), kWhite);
}

TEST(PictureTest, PaintCenteredClipsALargerPictureToTheArea) {
  const TGdiObject<HBITMAP> bitmap = CreatePictureBitmap(MakePicture(14, 12));
  Canvas canvas;
  const RECT area{10, 10, 20, 20};  // 10 x 10
  PaintCentered(canvas.Get(), area, bitmap.Get());
  // The picture's corner lies (10 - 14) / 2 = -2 and (10 - 12) / 2 = -1 pixels off the area's.
  for (int y = 10; y < 20; ++y) {
    for (int x = 10; x < 20; ++x)
      EXPECT_EQ(canvas.Pixel(x, y), ColourAt(x - 8, y - 9)) << x << "," << y;
  }
  for (int i = 8; i < 22; ++i) {
    EXPECT_EQ(canvas.Pixel(i, 9), kWhite) << i;
    EXPECT_EQ(canvas.Pixel(i, 20), kWhite) << i;
    EXPECT_EQ(canvas.Pixel(9, i), kWhite) << i;
    EXPECT_EQ(canvas.Pixel(20, i), kWhite) << i;
  }
}

TEST(PictureTest, PaintCenteredWithoutPictureLeavesTheAreaBlack) {
  Canvas canvas;
  PaintCentered(canvas.Get(), RECT{0, 0, 8, 8}, nullptr);
  EXPECT_EQ(canvas.Pixel(0, 0), kBlack);
  EXPECT_EQ(canvas.Pixel(7, 7), kBlack);
  EXPECT_EQ(canvas.Pixel(8, 8), kWhite);
}

TEST(PictureTest, PictureSizeIsTheBitmapsAndZeroWithoutOne) {
  const TGdiObject<HBITMAP> bitmap = CreatePictureBitmap(MakePicture(7, 3));
  const SIZE size = PictureSize(bitmap.Get());
  EXPECT_EQ(size.cx, 7);
  EXPECT_EQ(size.cy, 3);
  const SIZE none = PictureSize(nullptr);
  EXPECT_EQ(none.cx, 0);
  EXPECT_EQ(none.cy, 0);
}

TEST(PictureTest, DrawTransparentCenteredPutsThePictureInTheMiddleOfTheArea) {
  const TGdiObject<HBITMAP> bitmap = CreatePictureBitmap(MakePicture(6, 4));
  Canvas canvas;
  // 20 x 30 pixels: the picture's corner (20 - 6) / 2 = 7 and (30 - 4) / 2 = 13 pixels in.
  DrawTransparentCentered(canvas.Get(), RECT{10, 5, 30, 35}, bitmap.Get());
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      if (x == 0 && y == 3)
        EXPECT_EQ(canvas.Pixel(17, 21), kWhite);  // the transparent colour's own pixel
      else
        EXPECT_EQ(canvas.Pixel(17 + x, 18 + y), ColourAt(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(canvas.Pixel(16, 18), kWhite);
  EXPECT_EQ(canvas.Pixel(23, 18), kWhite);
  EXPECT_EQ(canvas.Pixel(17, 17), kWhite);
  EXPECT_EQ(canvas.Pixel(17, 22), kWhite);
}

TEST(PictureTest, DrawTransparentKeepsTheBackgroundWhereTheBottomLeftColourWas) {
  constexpr COLORREF kKey = RGB(255, 0, 255);
  TPicture picture = MakePicture(4, 4);
  const auto paint = [&picture](int x, int y, COLORREF colour) {
    uint8_t* pixel = picture.Rgb.data() + (y * 4 + x) * 3;
    pixel[0] = GetRValue(colour);
    pixel[1] = GetGValue(colour);
    pixel[2] = GetBValue(colour);
  };
  paint(0, 3, kKey);  // bottom left
  paint(2, 1, kKey);
  paint(0, 0, RGB(0, 255, 0));
  const TGdiObject<HBITMAP> bitmap = CreatePictureBitmap(picture);
  Canvas canvas;
  DrawTransparent(canvas.Get(), 5, 6, bitmap.Get());
  EXPECT_EQ(canvas.Pixel(5, 9), kWhite);
  EXPECT_EQ(canvas.Pixel(7, 7), kWhite);
  EXPECT_EQ(canvas.Pixel(5, 6), RGB(0, 255, 0));
  EXPECT_EQ(canvas.Pixel(8, 9), ColourAt(3, 3));
  EXPECT_EQ(canvas.Pixel(6, 7), ColourAt(1, 1));
  EXPECT_EQ(canvas.Pixel(4, 6), kWhite);
  EXPECT_EQ(canvas.Pixel(9, 6), kWhite);
}

// Colours of the 16 x 16 blocks of the test picture, one block per JPEG coding unit, so that
// the decoded pixels come close to them whatever the chroma subsampling.
constexpr COLORREF kBlocks[2][3] = {{RGB(200, 30, 40), RGB(20, 180, 60), RGB(30, 50, 210)},
                                    {RGB(240, 240, 240), RGB(10, 10, 10), RGB(250, 200, 0)}};

// A picture of the blocks above (48 x 32 pixels, or repeated to fill `width` x `height`),
// encoded at the highest quality by the system's own JPEG encoder, as a package's banner file.
std::vector<uint8_t> EncodeBlocks(UINT width = 48, UINT height = 32) {
  TComPtr<IWICImagingFactory> factory;
  EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IWICImagingFactory, factory.Receive()));
  IStream* stream = nullptr;
  EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  TComPtr<IWICBitmapEncoder> encoder;
  factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr,
                         reinterpret_cast<IWICBitmapEncoder**>(encoder.Receive()));
  encoder->Initialize(stream, WICBitmapEncoderNoCache);
  TComPtr<IWICBitmapFrameEncode> frame;
  IPropertyBag2* options = nullptr;
  encoder->CreateNewFrame(reinterpret_cast<IWICBitmapFrameEncode**>(frame.Receive()), &options);
  PROPBAG2 quality{};
  quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
  VARIANT best;
  VariantInit(&best);
  best.vt = VT_R4;
  best.fltVal = 1.0f;
  options->Write(1, &quality, &best);
  frame->Initialize(options);
  options->Release();
  const UINT stride = width * 3;
  frame->SetSize(width, height);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  frame->SetPixelFormat(&format);
  std::vector<BYTE> pixels(size_t{stride} * height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      const COLORREF colour = kBlocks[y / 16 % 2][x / 16 % 3];
      BYTE* pixel = pixels.data() + size_t{y} * stride + x * 3;
      pixel[0] = GetBValue(colour);
      pixel[1] = GetGValue(colour);
      pixel[2] = GetRValue(colour);
    }
  }
  EXPECT_HRESULT_SUCCEEDED(
      frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data()));
  frame->Commit();
  EXPECT_HRESULT_SUCCEEDED(encoder->Commit());
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream, &memory);
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
  std::vector<uint8_t> jpeg(bytes, bytes + GlobalSize(memory));
  GlobalUnlock(memory);
  stream->Release();
  return jpeg;
}

bool Near(COLORREF a, COLORREF b) {
  const auto close = [](int x, int y) { return x - y <= 8 && y - x <= 8; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
         close(GetBValue(a), GetBValue(b));
}

class BannerTest : public testing::Test {
 protected:
  TComApartment apartment_;
};

TEST_F(BannerTest, WithoutUsableDataThereIsNoBitmap) {
  for (const UINT dpi : {96u, 144u}) {
    EXPECT_FALSE(LoadBannerBitmap({}, dpi));
    EXPECT_FALSE(LoadBannerBitmap({1, 2, 3, 4}, dpi));
    EXPECT_FALSE(
        LoadBannerBitmap({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0}, dpi));
  }
  try {
    DecodeJpeg({0xFF, 0xD8, 0xFF});
    ADD_FAILURE() << "decoded a start marker alone";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Invalid JPEG data: ", 0), 0u) << e.what();
  }
}

TEST_F(BannerTest, TheSystemDecoderGivesTheEncodedPixels) {
  const std::vector<uint8_t> jpeg = EncodeBlocks();
  ASSERT_GT(jpeg.size(), 100u);
  const TGdiObject<HBITMAP> bitmap = LoadBannerBitmap(jpeg, kDesignDpi);
  ASSERT_TRUE(bitmap);
  const SIZE size = SizeOf(bitmap.Get());
  EXPECT_EQ(size.cx, 48);
  EXPECT_EQ(size.cy, 32);
  TMemoryDC dc;
  dc.Select(bitmap.Get());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 48; ++x) {
      const COLORREF pixel = GetPixel(dc.Get(), x, y);
      EXPECT_TRUE(Near(pixel, kBlocks[y / 16][x / 16]))
          << x << "," << y << ": " << std::hex << pixel;
    }
  }
}

// Colours across the edge between the top row's first two blocks, scaled for `dpi`: the left
// block well inside, the right block well inside, and how many pixels between them have a colour
// of neither, as a smooth scaler gives and a nearest-pixel one does not.
struct TScaledEdge {
  bool LeftKept;
  bool RightKept;
  int Blended;
};

TScaledEdge ScaledEdge(HBITMAP bitmap, UINT dpi) {
  TMemoryDC dc;
  dc.Select(bitmap);
  const int y = ScaleForDpi(8, dpi);
  const int edge = ScaleForDpi(16, dpi);
  TScaledEdge found{Near(GetPixel(dc.Get(), edge - ScaleForDpi(6, dpi), y), kBlocks[0][0]),
                    Near(GetPixel(dc.Get(), edge + ScaleForDpi(6, dpi), y), kBlocks[0][1]), 0};
  for (int x = edge - 3; x <= edge + 3; ++x) {
    const COLORREF pixel = GetPixel(dc.Get(), x, y);
    if (!Near(pixel, kBlocks[0][0]) && !Near(pixel, kBlocks[0][1]))
      ++found.Blended;
  }
  return found;
}

TEST_F(BannerTest, TheBannerIsScaledSmoothlyForTheWindowDpi) {
  const std::vector<uint8_t> jpeg = EncodeBlocks();
  const struct {
    UINT Dpi;
    SIZE Size;
  } kCases[] = {{96, {48, 32}}, {120, {60, 40}}, {144, {72, 48}}, {192, {96, 64}}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Dpi);
    const TGdiObject<HBITMAP> bitmap = LoadBannerBitmap(jpeg, c.Dpi);
    ASSERT_TRUE(bitmap);
    const SIZE size = SizeOf(bitmap.Get());
    EXPECT_EQ(size.cx, c.Size.cx);
    EXPECT_EQ(size.cy, c.Size.cy);
    const TScaledEdge edge = ScaledEdge(bitmap.Get(), c.Dpi);
    EXPECT_TRUE(edge.LeftKept);
    EXPECT_TRUE(edge.RightKept);
    if (c.Dpi == kDesignDpi)
      EXPECT_EQ(edge.Blended, 0);
    else
      EXPECT_GT(edge.Blended, 0);
  }
}

TEST_F(BannerTest, AHugeBannerIsNotEnlarged) {
  // 2100 x 2100 pixels would become 4200 x 4200 at 192 DPI, past 2^24 pixels.
  const std::vector<uint8_t> jpeg = EncodeBlocks(2100, 2100);
  const TGdiObject<HBITMAP> bitmap = LoadBannerBitmap(jpeg, 192);
  ASSERT_TRUE(bitmap);
  const SIZE size = SizeOf(bitmap.Get());
  EXPECT_EQ(size.cx, 2100);
  EXPECT_EQ(size.cy, 2100);
}

TEST_F(BannerTest, TheSampleBannerFillsItsStripAtEachScale) {
  std::ifstream file(XA_SAMPLE_BANNER_PATH, std::ios::binary);
  ASSERT_TRUE(file) << XA_SAMPLE_BANNER_PATH;
  const std::vector<uint8_t> jpeg{std::istreambuf_iterator<char>(file), {}};
  for (const UINT dpi : {96u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    const TGdiObject<HBITMAP> bitmap = LoadBannerBitmap(jpeg, dpi);
    ASSERT_TRUE(bitmap);
    const SIZE size = SizeOf(bitmap.Get());
    EXPECT_EQ(size.cx, ScaleForDpi(160, dpi));
    EXPECT_EQ(size.cy, ScaleForDpi(320, dpi));
  }
}

}  // namespace
}  // namespace xa
