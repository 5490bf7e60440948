#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/terminal.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/scoped_handle.h"

namespace xa {
namespace {

TEST(TerminalDoubleTest, OwnsATerminalWindowUntilClosed) {
  std::string command_line = "\"" + TestProgramFolder() + "\\" + kTerminalExeName + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  TScopedHandle process_handle(process.hProcess);
  TScopedHandle thread(process.hThread);
  HWND window = nullptr;
  EXPECT_TRUE(WaitFor(
      [&] {
        window = FindWindowA(kTerminalWindowClass, nullptr);
        return window != nullptr;
      },
      30));
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindWindowA(kTerminalWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace xa
