// The wizard form at the display resolution of its Wine prefix (XA_TEST_DPI dots per inch, set
// as the prefix's LogPixels) and after a resolution change. The program's resources, manifest
// included, are linked in, so the process is as DPI aware as the wizard itself.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/installer_check.h"
#include "engine/testing/installer_builder.h"
#include "engine/uninstaller.h"
#include "linklabel/ansi.h"
#include "shell/com_apartment.h"
#include "shell/install_journal.h"
#include "shell/testing/temp_folder.h"
#include "wizard/form_icons_win.h"
#include "wizard/form_installer_win.h"
#include "wizard/form_layout_win.h"
#include "wizard/picture_win.h"
#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

constexpr char kProgramName[] = "Moving Average Crossover Expert";

UINT PrefixDpi() {
  const char* value = std::getenv("XA_TEST_DPI");
  return value ? static_cast<UINT>(std::atoi(value)) : kDesignDpi;
}

std::string WindowClass(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// `window`'s box in its parent's client area.
RECT BoxInParent(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

int Width(const RECT& r) {
  return r.right - r.left;
}
int Height(const RECT& r) {
  return r.bottom - r.top;
}

// The character height of `window`'s font in pixels.
int FontHeight(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return -font.lfHeight;
}

// The size `window`'s text takes in the window's own font: wrapped at `width` pixels, or on
// one line when `width` is 0.
SIZE TextExtent(HWND window, int width) {
  const std::u16string text = WindowText16(window);
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  RECT area{0, 0, width, 0};
  const UINT format = DT_CALCRECT | DT_NOPREFIX | (width ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
            &area, format);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return SIZE{Width(area), Height(area)};
}

// The width of the icon `window` shows in its title bar (ICON_SMALL) or task bar (ICON_BIG).
int IconSide(HWND window, WPARAM which) {
  ICONINFO info{};
  if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &info))
    return 0;
  const TGdiObject<HBITMAP> color(info.hbmColor), mask(info.hbmMask);
  return PictureSize(info.hbmColor).cx;
}

// A form environment that shows, opens, picks and removes nothing; `folder` is its Program Files.
class TQuietEnvironment : public TFormEnvironment {
 public:
  explicit TQuietEnvironment(std::string folder) : folder_(std::move(folder)) {
    QuitOnDestroy = false;
  }

  std::string ProgramFiles(bool trailing) override { return folder_ + (trailing ? "\\" : ""); }
  std::vector<TDataFolder> DataFolders() override { return {}; }
  void ShowMessage(HWND, const std::u16string&, const std::u16string&, UINT) override {}
  void ShellOpen(const std::string&) override {}
  bool SelfDelete(const std::string&, bool) override { return false; }
  bool PickFolder(std::u16string&) override { return false; }

 private:
  std::string folder_;
};

class FormDpiTest : public testing::Test {
 protected:
  void SetUp() override {
    package_.ProgramName = kProgramName;
    package_.VersionMajor = 2;
    package_.VersionMinor = 10;
    package_.ReadmeText = "{\\rtf1 Read me}";
    package_.LicenseText = "{\\rtf1 Licence terms}";
    package_.WhatsNewText = "{\\rtf1 What is new}";
    package_.AddFile().TargetPath = "{metatrader}\\experts\\Test.ex4";
    std::ifstream banner(XA_SAMPLE_BANNER_PATH, std::ios::binary);
    package_.Banner.assign(std::istreambuf_iterator<char>(banner), {});
    banner_width_ = PictureSize(LoadBannerBitmap(package_.Banner, kDesignDpi).Get()).cx;
    ASSERT_GT(banner_width_, 0);
    BuildInstaller(package_, {"expert"}, setup_, XA_SETUP_PATH);
    CreateForm(setup_);
  }

  // The wizard over `executable`, in the role its name gives.
  void CreateForm(const std::string& executable) {
    form_.reset();
    environment_.ExecutablePath = executable;
    form_ = std::make_unique<TFormInstaller>(environment_);
    form_->Create();
  }

  // The client area, every window of the layout, the fonts and the list lines, for `dpi`.
  void ExpectLaidOutFor(UINT dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
    const TFormControls& c = form_->Controls();
    EXPECT_EQ(c.Dpi, dpi);
    RECT client;
    GetClientRect(form_->Handle(), &client);
    EXPECT_EQ(Width(client), ScaleForDpi(kFormClientWidth, dpi));
    EXPECT_EQ(Height(client), ScaleForDpi(kFormClientHeight, dpi));
    ASSERT_GT(c.Layout.Entries().size(), 60u);
    for (const TFormLayout::TEntry& entry : c.Layout.Entries()) {
      const RECT want = ScaleBox(entry.Box, dpi);
      const RECT box = BoxInParent(entry.Window);
      const std::string name = WindowClass(entry.Window);
      SCOPED_TRACE(name + " at " + std::to_string(entry.Box.X) + "," + std::to_string(entry.Box.Y));
      EXPECT_EQ(box.left, want.left);
      EXPECT_EQ(box.top, want.top);
      EXPECT_EQ(Width(box), Width(want));
      // A drop-down list is as high as its selection field, the link label as its text.
      if (name != "ComboBox" && entry.Window != c.LabelStart2.Handle()) {
        EXPECT_EQ(Height(box), Height(want));
      }
      if (entry.Font == TFormFont::kRichText) {
        // Zoomed from the resolution the form was made at; 0/0 is no zoom.
        WPARAM numerator = 0;
        LPARAM denominator = 0;
        SendMessageW(entry.Window, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
                     reinterpret_cast<LPARAM>(&denominator));
        if (dpi == PrefixDpi()) {
          EXPECT_EQ(numerator, denominator);
        } else {
          EXPECT_EQ(numerator * PrefixDpi(), static_cast<WPARAM>(denominator) * dpi);
        }
      }
      // Fonts are the design's scaled, less a little where a line would outgrow the scale.
      const int design_height[] = {0, 11, 16, 21, 11};
      if (entry.Font != TFormFont::kNone && entry.Font != TFormFont::kRichText) {
        const int scaled = design_height[static_cast<int>(entry.Font)] * static_cast<int>(dpi) / 96;
        EXPECT_LE(FontHeight(entry.Window), scaled);
        EXPECT_GE(FontHeight(entry.Window), scaled - ScaleForDpi(2, dpi) / 2);
      }
    }
    EXPECT_EQ(SendMessageW(c.ListMetaTrader.Handle(), LB_GETITEMHEIGHT, 0, 0),
              ScaleForDpi(17, dpi));
    // The pictures drawn for 100, 150 and 200 %, the banner scaled from its own size.
    for (const THeader& band : c.Headers) {
      if (band.Picture) {
        EXPECT_EQ(PictureSize(band.Bitmap.Get()).cx, ScaleForDpi(48, dpi));
      }
    }
    EXPECT_EQ(PictureSize(c.AddGlyph.Get()).cx, ScaleForDpi(16, dpi));
    EXPECT_EQ(IconSide(form_->Handle(), ICON_BIG), IconSizesFor(dpi).Big);
    EXPECT_EQ(IconSide(form_->Handle(), ICON_SMALL), IconSizesFor(dpi).Small);
    EXPECT_EQ(PictureSize(c.Banner.Get()).cx, ScaleForDpi(banner_width_, dpi));
  }

  // Every label's and button's text fits its window, measured in the window's own font; the
  // welcome text stays inside its panel.
  void ExpectTextsFit(UINT dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
    const TFormControls& c = form_->Controls();
    int measured = 0;
    for (const TFormLayout::TEntry& entry : c.Layout.Entries()) {
      HWND window = entry.Window;
      if (entry.Font == TFormFont::kNone || entry.Font == TFormFont::kRichText ||
          WindowText16(window).empty())
        continue;
      const std::string name = WindowClass(window);
      const LONG style = GetWindowLongW(window, GWL_STYLE);
      RECT client;
      GetClientRect(window, &client);
      SCOPED_TRACE(name + " \"" + Utf16ToAnsi(WindowText16(window)) + "\"");
      if (name == "Static" && (style & SS_TYPEMASK) == SS_LEFT) {
        const SIZE text = TextExtent(window, Width(client));
        EXPECT_LE(text.cx, Width(client));
        EXPECT_LE(text.cy, Height(client));
        ++measured;
      } else if (name == "Static" || name == "Button") {
        // One line; a check box or radio button has its mark and a gap before the text.
        const bool marked = name == "Button" && ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
                                                 (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON);
        const int mark = marked ? ScaleForDpi(13 + 4, dpi) : 0;
        const SIZE text = TextExtent(window, 0);
        EXPECT_LE(text.cx + mark, Width(client));
        EXPECT_LE(text.cy, Height(client));
        ++measured;
      }
    }
    EXPECT_GE(measured, 20);
    RECT label = BoxInParent(c.LabelStart2.Handle());
    RECT panel;
    GetClientRect(c.PanelInstall.Handle(), &panel);
    EXPECT_LE(label.bottom, panel.bottom);
  }

  TComApartment apartment_;
  TInstallCleanup cleanup_{kProgramName};
  TTempFolder root_{"wizard-dpi"};
  std::string setup_ = root_.Path() + "\\Setup.exe";
  TXaInstall package_;
  int banner_width_ = 0;
  TQuietEnvironment environment_{root_.Path()};
  std::unique_ptr<TFormInstaller> form_;
};

TEST(ScaleBox, ScalesEveryEdgeSoThatTheDesignValuesStayAt96) {
  struct Case {
    TDesignBox box;
    UINT dpi;
    RECT want;
  };
  const Case cases[] = {
      {{161, 8, 343, 305}, 96, {161, 8, 504, 313}},
      {{161, 8, 343, 305}, 144, {242, 12, 756, 470}},
      {{161, 8, 343, 305}, 192, {322, 16, 1008, 626}},
      {{0, 0, 160, 320}, 144, {0, 0, 240, 480}},
      {{24, 38, 417, 26}, 120, {30, 48, 551, 80}},
  };
  for (const Case& c : cases) {
    const RECT got = ScaleBox(c.box, c.dpi);
    EXPECT_EQ(got.left, c.want.left);
    EXPECT_EQ(got.top, c.want.top);
    EXPECT_EQ(got.right, c.want.right);
    EXPECT_EQ(got.bottom, c.want.bottom);
  }
}

TEST(DpiAwareness, TheManifestMakesTheProcessPerMonitorAware) {
  using GetContext = HANDLE(WINAPI*)();
  using GetAwareness = int(WINAPI*)(HANDLE);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto context = reinterpret_cast<GetContext>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const auto awareness = reinterpret_cast<GetAwareness>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(context && awareness);
  // DPI_AWARENESS_PER_MONITOR_AWARE; Wine tells per-monitor version 2 from version 1 by no
  // awareness value, so the version is not asserted.
  EXPECT_EQ(awareness(context()), 2);
}

TEST_F(FormDpiTest, TheFormIsMadeForTheResolutionItIsShownAt) {
  const UINT dpi = PrefixDpi();
  EXPECT_EQ(WindowDpi(form_->Handle()), dpi);
  EXPECT_EQ(form_->Dpi(), dpi);
  ExpectLaidOutFor(dpi);
  ExpectTextsFit(dpi);
}

TEST_F(FormDpiTest, TheUninstallersTextsFitToo) {
  TXaInstall install;
  LoadWholeInstaller(install, setup_);
  TInstallJournal journal;
  const std::string uninstaller = root_.Path() + "\\Uninstall.exe";
  CreateUninstaller(install, journal, uninstaller, root_.Path() + "\\Uninstall.lnk");
  journal.Commit();
  CreateForm(uninstaller);
  ASSERT_TRUE(form_->IsUninstall());
  ExpectLaidOutFor(PrefixDpi());
  ExpectTextsFit(PrefixDpi());
}

TEST_F(FormDpiTest, AResolutionChangeLaysTheFormOutAgain) {
  const UINT start = PrefixDpi();
  // Up by half from the design resolution, down to it from any other.
  const UINT changed = start == kDesignDpi ? 144 : kDesignDpi;
  for (const UINT dpi : {changed, start}) {
    const SIZE size =
        WindowSizeForDpi(kFormClientWidth, kFormClientHeight, kFormStyle, kFormExStyle, dpi);
    RECT suggested{30, 40, 30 + size.cx, 40 + size.cy};
    SendMessageW(form_->Handle(), kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT window;
    GetWindowRect(form_->Handle(), &window);
    EXPECT_EQ(window.left, suggested.left);
    EXPECT_EQ(window.top, suggested.top);
    ExpectLaidOutFor(dpi);
    ExpectTextsFit(dpi);
  }
}

}  // namespace
}  // namespace xa
