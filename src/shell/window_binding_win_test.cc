#include "shell/window_binding_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "shell/window_errors_win.h"

namespace xa {
namespace {

constexpr UINT kProbe = WM_APP + 0x51;

// Counts what reaches it and throws on request.
class TRecordingHandler : public TWindowHandler {
 public:
  LRESULT HandleMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == kProbe) {
      ++probes;
      if (wparam == 1)
        throw std::runtime_error("probe failed");
      if (wparam == 2)
        throw 7;
      return 42;
    }
    if (msg == WM_PAINT && fail_paint)
      throw std::runtime_error("paint failed");
    return CallNextProc(window, msg, wparam, lparam);
  }
  void WindowDetached(HWND window) noexcept override { detached.push_back(window); }

  int probes = 0;
  bool fail_paint = false;
  std::vector<HWND> detached;
};

HWND StaticWindow() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

std::string Message(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& raised) {
    return raised.what();
  } catch (...) {
    return "not a standard exception";
  }
}

class WindowBindingTest : public testing::Test {
 protected:
  void TearDown() override {
    while (TakeWindowError()) {
    }
  }
};

TEST_F(WindowBindingTest, HandlesMessagesUntilUnboundAndDetachesOnDestruction) {
  HWND window = StaticWindow();
  ASSERT_NE(window, nullptr);
  TRecordingHandler first, second;
  BindWindow(window, first);
  BindWindow(window, second);
  EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);  // the last bound answers
  EXPECT_EQ(second.probes, 1);
  UnbindWindow(window, second);
  EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);
  EXPECT_EQ(first.probes, 1);
  EXPECT_EQ(second.probes, 1);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(first.detached, std::vector<HWND>{window});
  EXPECT_TRUE(second.detached.empty());
}

TEST_F(WindowBindingTest, CatchesEverythingAndQueuesItForTheErrorWindow) {
  HWND window = StaticWindow();
  HWND target = StaticWindow();
  ASSERT_TRUE(window && target);
  SetWindowErrorTarget(target);
  TRecordingHandler handler;
  BindWindow(window, handler);
  EXPECT_EQ(SendMessageW(window, kProbe, 1, 0), 0);
  EXPECT_EQ(SendMessageW(window, kProbe, 2, 0), 0);
  MSG msg;
  int posted = 0;
  while (PeekMessageW(&msg, target, kWindowErrorMessage, kWindowErrorMessage, PM_REMOVE))
    ++posted;
  EXPECT_EQ(posted, 2);
  EXPECT_EQ(Message(TakeWindowError()), "probe failed");
  EXPECT_EQ(Message(TakeWindowError()), "not a standard exception");
  EXPECT_EQ(TakeWindowError(), nullptr);
  ForgetWindowErrorTarget(target);
  DestroyWindow(window);
  DestroyWindow(target);
}

// A paint that throws leaves the window validated: it is not asked to paint again and again.
TEST_F(WindowBindingTest, AFailedPaintValidatesTheWindow) {
  HWND window = StaticWindow();
  ASSERT_NE(window, nullptr);
  TRecordingHandler handler;
  handler.fail_paint = true;
  BindWindow(window, handler);
  ShowWindow(window, SW_SHOWNA);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
  EXPECT_EQ(Message(TakeWindowError()), "paint failed");
  DestroyWindow(window);
}

TEST_F(WindowBindingTest, RefusesAMissingWindow) {
  TRecordingHandler handler;
  EXPECT_THROW(BindWindow(nullptr, handler), std::exception);
}

}  // namespace
}  // namespace xa
