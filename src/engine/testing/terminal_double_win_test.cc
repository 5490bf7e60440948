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
  TTerminalDouble terminal;
  ASSERT_TRUE(terminal.Started());
  HWND window = terminal.WaitForWindow(30);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowA(kTerminalWindowClass, nullptr), window);
  EXPECT_EQ(terminal.Close(30), 0);
  EXPECT_EQ(FindWindowA(kTerminalWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace xa
