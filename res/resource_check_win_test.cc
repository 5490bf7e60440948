// Loads the wizard program's resources the way the program does: the header pictures and the
// button glyph (PNG files), the icon at each of its sizes, the link cursor, the manifest and the
// version.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/com_apartment.h"
#include "wizard/picture_win.h"

namespace {

// Resource types by number: the RT_ macros are the narrow kind when UNICODE is not defined.
constexpr WORD kIconImage = 3;
constexpr WORD kIconGroup = 14;
constexpr WORD kManifest = 24;

HINSTANCE Self() {
  return GetModuleHandleW(nullptr);
}

// A picture with its size, decoded as the program decodes it, 24 bits per pixel and drawn, not
// just the transparent colour.
void ExpectPicture(int id, int size) {
  SCOPED_TRACE(id);
  const xa::TComApartment apartment;
  const xa::TGdiObject<HBITMAP> picture = xa::LoadPictureResource(id, xa::kDesignDpi);
  ASSERT_TRUE(picture);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(picture.Get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, size);
  EXPECT_EQ(dib.dsBm.bmHeight, size);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
  // Rows run top-down, so the bottom-left pixel, the transparent colour, starts the last row.
  const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
  const BYTE* corner = bits + (size - 1) * dib.dsBm.bmWidthBytes;
  const BYTE* centre = bits + (size / 2) * dib.dsBm.bmWidthBytes + (size / 2) * 3;
  EXPECT_NE(std::vector<BYTE>(corner, corner + 3), std::vector<BYTE>(centre, centre + 3));
}

TEST(WizardResources, HeaderPicturesAre48PixelsWith24Bits) {
  for (int id : {IDB_HEADER_INFO, IDB_HEADER_LICENSE, IDB_HEADER_FOLDER, IDB_HEADER_READY,
                 IDB_HEADER_PROGRESS, IDB_HEADER_NEWS}) {
    ExpectPicture(id, 48);
  }
}

TEST(WizardResources, AddFolderGlyphIs16PixelsWith24Bits) {
  ExpectPicture(IDB_ADD_FOLDER_GLYPH, 16);
}

TEST(WizardResources, IconCarriesEachSize) {
  HRSRC group = FindResourceW(Self(), MAKEINTRESOURCEW(IDI_XASETUP), MAKEINTRESOURCEW(kIconGroup));
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Self(), group)));
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    // The image the system picks for this size is one of exactly this size.
    int image_id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(Self(), MAKEINTRESOURCEW(image_id), MAKEINTRESOURCEW(kIconImage));
    ASSERT_NE(image, nullptr);
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Self(), image)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size);
    HANDLE icon = LoadImageW(Self(), MAKEINTRESOURCEW(IDI_XASETUP), IMAGE_ICON, size, size, 0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(static_cast<HICON>(icon));
  }
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
