// The wizard program during a long install, driven from outside its process as a person
// would: it answers while the run lasts, and a double click on Next lands on the progress page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/walk/window_driver_win.h"
#include "engine/testing/installer_builder.h"
#include "shell/testing/temp_folder.h"
#include "wizard/testing/edit_lines.h"

namespace xa {
namespace {

constexpr int kFiles = 2000;
constexpr UINT kAnswerLimitMs = 500;
// How long a page may take to come on a loaded machine; each wait ends as soon as it is there.
constexpr int kPageSeconds = 120;

std::string Name() {
  return "XA Wizard Run Test " + std::to_string(GetCurrentProcessId());
}

// Two presses of the left button at the middle of `button`, sent as real mouse input.
void DoubleClick(HWND button) {
  RECT box;
  ASSERT_TRUE(GetWindowRect(button, &box));
  ASSERT_TRUE(SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2));
  INPUT inputs[4] = {};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
}

class WizardRunTest : public testing::Test {
 protected:
  void SetUp() override {
    package_.ProgramName = Name();
    package_.LicenseText = "{\\rtf1 Licence}";
    for (int i = 0; i < kFiles; ++i) {
      package_.AddFile().TargetPath = "{app}\\Data\\File " + std::to_string(i) + ".txt";
      contents_.push_back("file " + std::to_string(i));
    }
    BuildInstaller(package_, contents_, setup_, XA_SETUP_PATH);
  }

  // Starts the installer and walks it to the ready page; returns the form.
  HWND ToReadyPage() {
    program_.emplace("\"" + setup_ + "\"");
    form_ = program_->WaitForWindow("TFormInstaller", "the wizard", kPageSeconds);
    Press(RequireControl(form_, u"Button", u"Next >>"));
    program_->Await(
        [&] { return FindControl(form_, u"Button", u"I accept the agreement") != nullptr; },
        "the licence page", kPageSeconds);
    Press(RequireControl(form_, u"Button", u"I accept the agreement"));
    Press(RequireControl(form_, u"Button", u"Next >>"));
    // Without a terminal under Program Files the scan warns and offers the default folder.
    program_->Await(
        [&] {
          if (HWND box = FindWindowW(L"#32770", L"Warning"))
            PostMessageW(box, WM_COMMAND, IDOK, 0);
          return FindControl(form_, u"ListBox") != nullptr;
        },
        "the folder page", kPageSeconds);
    Press(RequireControl(form_, u"Button", u"Next >>"));
    program_->Await([&] { return FindControl(form_, u"Static", u"Ready to Install") != nullptr; },
                    "the ready page", kPageSeconds);
    Settle(form_);
    return form_;
  }

  TInstallCleanup cleanup_{Name()};
  TTempFolder root_{"wizard_run"};
  std::string setup_ = root_.Path() + "\\Setup.exe";
  TXaInstall package_;
  std::vector<std::string> contents_;
  std::optional<TDrivenProgram> program_;
  HWND form_ = nullptr;
};

TEST_F(WizardRunTest, AnswersDuringTheRunAndADoubleClickOnNextLandsOnTheProgressPage) {
  HWND form = ToReadyPage();
  HWND next = RequireControl(form, u"Button", u"Next >>");
  DoubleClick(next);
  program_->Await(
      [&] { return FindControl(form, u"Static", u"Installation in Progress") != nullptr; },
      "the progress page", kPageSeconds);

  // Probes while the run lasts: every one is answered within half a second.
  int probes = 0;
  int unanswered = 0;
  DWORD slowest = 0;
  while (!IsWindowEnabled(next)) {
    ASSERT_TRUE(IsWindow(form)) << "the wizard ended during the run";
    const DWORD start = GetTickCount();
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &ignored))
      ++unanswered;
    slowest = std::max(slowest, GetTickCount() - start);
    ++probes;
    Sleep(100);
    ASSERT_LT(probes, 6000) << "the run did not end";
  }
  RecordProperty("probes", probes);
  RecordProperty("slowest_ms", static_cast<int>(slowest));
  std::printf("%d probes during the run, slowest answer %lu ms\n", probes, slowest);
  EXPECT_GE(probes, 3) << "the run was too short to probe";
  EXPECT_EQ(unanswered, 0);
  EXPECT_LT(slowest, kAnswerLimitMs);

  // The second click was made during the run and is gone: still the progress page.
  Settle(form);
  EXPECT_NE(FindControl(form, u"Static", u"Installation in Progress"), nullptr);
  EXPECT_EQ(FindControl(form, u"Button", u"Finish"), nullptr);
  const std::vector<std::u16string> lines = EditLines(TextOf(FindControl(form, u"Edit")));
  EXPECT_GT(lines.size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(lines.back(), u"Done.");
  EXPECT_TRUE(
      PathExists(cleanup_.AppFolder() + "\\Data\\File " + std::to_string(kFiles - 1) + ".txt"));
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(program_->WaitForExit(60), 0u);
}

}  // namespace
}  // namespace xa
