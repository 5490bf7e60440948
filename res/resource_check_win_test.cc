// Loads the wizard program's resources the way the program does: the header pictures and the
// button glyph (PNG files) for each display scale, the icon at each of its sizes and as the
// form's icons, the link cursor, the manifest and the version.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "resource_ids.h"
#include "shell/com_apartment.h"
#include "wizard/form_icons_win.h"
#include "wizard/picture_win.h"

namespace {

// Resource types by number: the RT_ macros are the narrow kind when UNICODE is not defined.
constexpr WORD kIconImage = 3;
constexpr WORD kIconGroup = 14;
constexpr WORD kManifest = 24;

HINSTANCE Self() {
  return GetModuleHandleW(nullptr);
}

// The bitmap the program loads for picture `id` at `dpi`, its size checked, 24 bits per pixel
// and drawn, not just the transparent colour.
void ExpectPicture(int id, UINT dpi, int size) {
  SCOPED_TRACE(testing::Message() << id << " at " << dpi << " dpi");
  const xa::TComApartment apartment;
  const xa::TGdiObject<HBITMAP> picture = xa::LoadPictureResource(id, dpi);
  ASSERT_TRUE(picture);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(picture.Get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  ASSERT_EQ(dib.dsBm.bmWidth, size);
  ASSERT_EQ(dib.dsBm.bmHeight, size);
  ASSERT_EQ(dib.dsBm.bmBitsPixel, 24);
  // Rows run top-down, so the bottom-left pixel, the transparent colour, starts the last row.
  const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
  const BYTE* corner = bits + (size - 1) * dib.dsBm.bmWidthBytes;
  const BYTE* centre = bits + (size / 2) * dib.dsBm.bmWidthBytes + (size / 2) * 3;
  EXPECT_NE(std::vector<BYTE>(corner, corner + 3), std::vector<BYTE>(centre, centre + 3));
}

constexpr int kHeaders[] = {IDB_HEADER_INFO,  IDB_HEADER_LICENSE,  IDB_HEADER_FOLDER,
                            IDB_HEADER_READY, IDB_HEADER_PROGRESS, IDB_HEADER_NEWS};

// Window DPI -> the side of the header picture and of the glyph loaded for it: the largest
// drawn scale not above the window's, the 100 % one below.
constexpr struct {
  UINT Dpi;
  int Header;
  int Glyph;
} kPictureSizes[] = {{72, 48, 16},  {96, 48, 16},  {120, 48, 16}, {143, 48, 16},
                     {144, 72, 24}, {168, 72, 24}, {191, 72, 24}, {192, 96, 32},
                     {240, 96, 32}, {288, 96, 32}, {480, 96, 32}};

TEST(WizardResources, EachHeaderPictureIsLoadedAtTheLargestScaleNotAboveTheWindows) {
  for (const auto& c : kPictureSizes) {
    for (const int id : kHeaders)
      ExpectPicture(id, c.Dpi, c.Header);
  }
}

TEST(WizardResources, TheAddFolderGlyphIsLoadedAtTheLargestScaleNotAboveTheWindows) {
  for (const auto& c : kPictureSizes)
    ExpectPicture(IDB_ADD_FOLDER_GLYPH, c.Dpi, c.Glyph);
}

TEST(WizardResources, EveryPictureVariantIsAPngResourceOfItsOwnId) {
  static_assert(IDB_VARIANT_STEP == xa::kPictureVariantStep);
  for (const int id :
       {IDB_HEADER_INFO_150, IDB_HEADER_LICENSE_150, IDB_HEADER_FOLDER_150, IDB_HEADER_READY_150,
        IDB_HEADER_PROGRESS_150, IDB_HEADER_NEWS_150, IDB_ADD_FOLDER_GLYPH_150, IDB_HEADER_INFO_200,
        IDB_HEADER_LICENSE_200, IDB_HEADER_FOLDER_200, IDB_HEADER_READY_200,
        IDB_HEADER_PROGRESS_200, IDB_HEADER_NEWS_200, IDB_ADD_FOLDER_GLYPH_200}) {
    const int base = id % IDB_VARIANT_STEP;
    EXPECT_NE(FindResourceW(Self(), MAKEINTRESOURCEW(base), xa::kPictureResourceType), nullptr);
    EXPECT_NE(FindResourceW(Self(), MAKEINTRESOURCEW(id), xa::kPictureResourceType), nullptr) << id;
  }
}

TEST(WizardResources, AMissingVariantFallsBackToTheNextSmallerOne) {
  // No picture of this program has a 150 % variant one id past the last header's, so the next
  // smaller is all there is: the 100 % one.
  EXPECT_EQ(
      FindResourceW(Self(), MAKEINTRESOURCEW(IDB_ADD_FOLDER_GLYPH + 1), xa::kPictureResourceType),
      nullptr);
  const xa::TComApartment apartment;
  EXPECT_FALSE(xa::LoadPictureResource(IDB_ADD_FOLDER_GLYPH + 1, 192));
  EXPECT_EQ(xa::PictureVariantFor(96), 0u);
  EXPECT_EQ(xa::PictureVariantFor(144), 1u);
  EXPECT_EQ(xa::PictureVariantFor(200), 2u);
}

// The header of the icon image of `size` pixels that the system picks from the icon group: a
// 32-bit bitmap, or a PNG file (`png` true).
void ExpectIconImage(int size, bool png) {
  HRSRC group = FindResourceW(Self(), MAKEINTRESOURCEW(IDI_XASETUP), MAKEINTRESOURCEW(kIconGroup));
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Self(), group)));
  // The image the system picks for this size is one of exactly this size.
  const int image_id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
  HRSRC image = FindResourceW(Self(), MAKEINTRESOURCEW(image_id), MAKEINTRESOURCEW(kIconImage));
  ASSERT_NE(image, nullptr);
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Self(), image)));
  if (png) {
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(bytes), 8), "\x89PNG\r\n\x1a\n");
    // The width and height of the IHDR chunk, big-endian.
    EXPECT_EQ(bytes[18] * 256 + bytes[19], size);
    EXPECT_EQ(bytes[22] * 256 + bytes[23], size);
    return;
  }
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
  EXPECT_EQ(header->biWidth, size);
  EXPECT_EQ(header->biHeight, 2 * size);
  EXPECT_EQ(header->biBitCount, 32);
}

// The side of `icon`'s colour bitmap, and whether it has any pixel not fully transparent.
std::pair<int, bool> IconSide(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info))
    return {0, false};
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof colour, &colour);
  std::vector<DWORD> pixels(static_cast<size_t>(colour.bmWidth) * colour.bmHeight);
  BITMAPINFO format{};
  format.bmiHeader = {
      sizeof(BITMAPINFOHEADER), colour.bmWidth, -colour.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, colour.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  bool drawn = false;
  for (const DWORD pixel : pixels)
    drawn = drawn || (pixel >> 24) != 0;
  return {colour.bmWidth, drawn};
}

TEST(WizardResources, IconCarriesEachSizeAsXpAndLaterReadIt) {
  for (const auto& [size, png] : {std::pair{16, false}, std::pair{24, true}, std::pair{32, false},
                                  std::pair{48, false}, std::pair{64, true}}) {
    SCOPED_TRACE(size);
    ExpectIconImage(size, png);
    HANDLE icon = LoadImageW(Self(), MAKEINTRESOURCEW(IDI_XASETUP), IMAGE_ICON, size, size, 0);
    ASSERT_NE(icon, nullptr);
    const auto [side, drawn] = IconSide(static_cast<HICON>(icon));
    EXPECT_EQ(side, size);
    EXPECT_TRUE(drawn);
    DestroyIcon(static_cast<HICON>(icon));
  }
}

// A plain top-level window to give icons to.
class IconWindow : public testing::Test {
 protected:
  IconWindow()
      : window_(CreateWindowExW(0,
                                L"STATIC",
                                L"",
                                WS_POPUP,
                                0,
                                0,
                                100,
                                100,
                                nullptr,
                                nullptr,
                                Self(),
                                nullptr)) {}
  ~IconWindow() override { DestroyWindow(window_); }

  HICON Icon(WPARAM which) const {
    return reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, which, 0));
  }

  HWND window_;
};

TEST_F(IconWindow, TheFormIconsHaveTheSizesOfTheWindowDpi) {
  xa::TFormIcons icons(IDI_XASETUP);
  EXPECT_EQ(icons.Big(), nullptr);
  // Without per-DPI metrics the sizes are 32 and 16 scaled; with them, the system's for the DPI,
  // which scale alike.
  for (const auto& [dpi, big, small] :
       {std::tuple{96u, 32, 16}, std::tuple{144u, 48, 24}, std::tuple{192u, 64, 32},
        std::tuple{120u, 40, 20}, std::tuple{96u, 32, 16}}) {
    SCOPED_TRACE(dpi);
    const xa::TIconSizes sizes = xa::IconSizesFor(dpi);
    EXPECT_EQ(sizes.Big, big);
    EXPECT_EQ(sizes.Small, small);
    const HICON old_big = icons.Big();
    const HICON old_small = icons.Small();
    icons.Apply(window_, dpi);
    ASSERT_NE(icons.Big(), nullptr);
    ASSERT_NE(icons.Small(), nullptr);
    EXPECT_EQ(Icon(ICON_BIG), icons.Big());
    EXPECT_EQ(Icon(ICON_SMALL), icons.Small());
    EXPECT_EQ(IconSide(icons.Big()).first, big);
    EXPECT_EQ(IconSide(icons.Small()).first, small);
    // The icons replaced are gone; the window holds the new ones.
    if (old_big) {
      ICONINFO info{};
      EXPECT_FALSE(GetIconInfo(old_big, &info));
      EXPECT_FALSE(GetIconInfo(old_small, &info));
    }
  }
}

TEST_F(IconWindow, AnIconThatDoesNotLoadLeavesTheWindowsOwn) {
  xa::TFormIcons icons(IDI_XASETUP);
  icons.Apply(window_, 96);
  const HICON big = icons.Big();
  xa::TFormIcons missing(IDI_XASETUP + 999);
  missing.Apply(window_, 144);
  EXPECT_EQ(missing.Big(), nullptr);
  EXPECT_EQ(missing.Small(), nullptr);
  EXPECT_EQ(Icon(ICON_BIG), big);
}

TEST(WizardResources, LinkCursorLoadsByName) {
  EXPECT_NE(LoadCursorW(Self(), L"LINKHAND"), nullptr);
}

TEST(WizardResources, ManifestAsksForAdministratorAndCommonControls6) {
  HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(kManifest));
  ASSERT_NE(found, nullptr);
  const auto* text = static_cast<const char*>(LockResource(LoadResource(Self(), found)));
  std::string manifest(text, SizeofResource(Self(), found));
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
}

std::wstring VersionText(const std::vector<BYTE>& block, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
    return L"";
  return static_cast<const wchar_t*>(value);
}

TEST(WizardResources, VersionInformationReadsBack) {
  wchar_t path[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  DWORD size = GetFileVersionInfoSizeW(path, nullptr);
  ASSERT_NE(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                         std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                         std::to_wstring(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(VersionText(block, L"FileVersion"), numbers);
  EXPECT_EQ(VersionText(block, L"ProductVersion"), numbers);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(VersionText(block, L"FileDescription"), L"XA Setup wizard");
  EXPECT_EQ(VersionText(block, L"ProductName"), L"XA Setup");
  EXPECT_EQ(VersionText(block, L"OriginalFilename"), L"xasetup.exe");
  EXPECT_FALSE(VersionText(block, L"CompanyName").empty());
  EXPECT_FALSE(VersionText(block, L"LegalCopyright").empty());
}

}  // namespace
