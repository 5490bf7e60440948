#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "engine/installer_check.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

struct TTopWindow {
  HWND Window = nullptr;
  std::string Title, Text;
};

// The window of process `id` of class `window_class`, with its title and the text of its
// message (the static child of a message box).
TTopWindow ProcessWindow(DWORD id, const std::string& window_class) {
  TTopWindow found;
  found.Window = FindProcessWindow(id, window_class);
  if (!found.Window)
    return found;
  char text[1024] = {};
  GetWindowTextA(found.Window, text, sizeof text);
  found.Title = text;
  text[0] = '\0';
  GetDlgItemTextA(found.Window, 0xFFFF, text, sizeof text);
  found.Text = text;
  return found;
}

class XasetupTest : public testing::Test {
 protected:
  // Starts `path` with `arguments`; true when it runs.
  bool Start(const std::string& path, const std::string& arguments = "") {
    std::string command_line = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
      return false;
    process_.emplace(process.hProcess);
    CloseHandle(process.hThread);
    id_ = process.dwProcessId;
    return true;
  }

  TTopWindow WaitForWindow(const std::string& window_class) {
    TTopWindow window;
    WaitFor(
        [&] {
          window = ProcessWindow(id_, window_class);
          return window.Window != nullptr;
        },
        60);
    return window;
  }

  // Waits for the program to end and returns its exit code; -1 when it does not end in time.
  int ExitCode() {
    if (WaitForSingleObject(process_->Get(), 60000) != WAIT_OBJECT_0) {
      TerminateProcess(process_->Get(), 99);
      return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_->Get(), &code);
    return static_cast<int>(code);
  }

  TTempFolder root_{"xasetup"};
  std::string setup_ = root_.Path() + "\\Setup.exe";
  TXaInstall package_;
  std::optional<TScopedHandle> process_;
  DWORD id_ = 0;
};

TEST_F(XasetupTest, ShowsTheWizardTitledWithTheProgramAndEndsAsCancelled) {
  package_.ProgramName = "Started Wizard";
  BuildInstaller(package_, {}, setup_, XA_SETUP_PATH);
  ASSERT_TRUE(Start(setup_));
  const TTopWindow form = WaitForWindow("TFormInstaller");
  ASSERT_NE(form.Window, nullptr);
  EXPECT_EQ(form.Title, "Install - Started Wizard");
  PostMessageA(form.Window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 2);
}

TEST_F(XasetupTest, ADamagedDownloadShowsTheErrorBeforeAnyPageAndEndsWithOne) {
  package_.ProgramName = "Damaged";
  package_.Banner.assign(4000, 0x5A);
  package_.AddFile().TargetPath = "{app}\\a.txt";
  BuildInstaller(package_, {std::string(5000, 'a')}, setup_, XA_SETUP_PATH);
  const std::string whole = ReadFileBytes(setup_);
  // Cut inside the file's stored content and inside the banner, as a broken download would.
  for (const size_t cut : {size_t{100}, size_t{5000 + 2000}}) {
    SCOPED_TRACE(cut);
    {
      std::ofstream file(setup_, std::ios::binary | std::ios::trunc);
      file.write(whole.data(), static_cast<std::streamsize>(whole.size() - cut));
    }
    ASSERT_TRUE(Start(setup_));
    const TTopWindow box = WaitForWindow("#32770");
    ASSERT_NE(box.Window, nullptr);
    EXPECT_EQ(box.Title, "Setup");
    EXPECT_EQ(box.Text, std::string(kDamagedInstaller));
    EXPECT_EQ(FindProcessWindow(id_, "TFormInstaller"), nullptr);
    PostMessageA(box.Window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ExitCode(), 1);
  }
}

TEST_F(XasetupTest, ShowsItsOptionsInOneBoxForHelpAndRefusesUnknownOnes) {
  package_.ProgramName = "Options";
  BuildInstaller(package_, {}, setup_, XA_SETUP_PATH);
  const struct {
    const char* arguments;
    const char* first_line;
    int code;
  } cases[] = {
      {"/?", "Options (case-insensitive, starting with / or -):", 0},
      {"-Help", "Options (case-insensitive, starting with / or -):", 0},
      {"/QUIET", "Unknown option: /QUIET", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    ASSERT_TRUE(Start(setup_, c.arguments));
    const TTopWindow box = WaitForWindow("#32770");
    ASSERT_NE(box.Window, nullptr);
    EXPECT_EQ(box.Title, "Setup");
    EXPECT_EQ(box.Text.substr(0, box.Text.find('\r')), c.first_line);
    EXPECT_NE(box.Text.find("/TERMINALS=\"C:\\A;D:\\B\""), std::string::npos);
    EXPECT_EQ(FindProcessWindow(id_, "TFormInstaller"), nullptr);
    PostMessageA(box.Window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ExitCode(), c.code);
  }
}

}  // namespace
}  // namespace xa
