#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "shell/modal_scope.h"
#include "shell/scoped_handle.h"
#include "shell/testing/test_window.h"

namespace xa {
namespace {

// A visible top-level window owned by a thread of its own, which keeps it until the object goes.
class TForeignWindow {
 public:
  TForeignWindow()
      : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {
    WaitForSingleObject(ready_.Get(), 10000);
  }
  ~TForeignWindow() {
    SetEvent(stop_.Get());
    WaitForSingleObject(thread_.Get(), 10000);
  }
  TForeignWindow(const TForeignWindow&) = delete;
  TForeignWindow& operator=(const TForeignWindow&) = delete;

  HWND Get() const { return window_; }

 private:
  static DWORD WINAPI Run(void* self) {
    TForeignWindow& owner = *static_cast<TForeignWindow*>(self);
    TTestWindow window(true);
    owner.window_ = window.Get();
    SetEvent(owner.ready_.Get());
    WaitForSingleObject(owner.stop_.Get(), INFINITE);
    return 0;
  }

  HWND window_ = nullptr;
  TScopedHandle ready_;
  TScopedHandle stop_;
  TScopedHandle thread_;
};

UINT CurrentErrorMode() {
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

TEST(DisabledThreadWindowsTest, DisablesVisibleEnabledWindowsAndRestoresThemAfterAThrow) {
  TTestWindow first(true);
  TTestWindow second(true);
  TTestWindow disabled(true);
  TTestWindow hidden(false);
  EnableWindow(disabled.Get(), FALSE);
  try {
    TDisabledThreadWindows scope;
    std::vector<HWND> listed = scope.Windows();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE((listed[0] == first.Get() && listed[1] == second.Get()) ||
                (listed[0] == second.Get() && listed[1] == first.Get()));
    EXPECT_FALSE(IsWindowEnabled(first.Get()));
    EXPECT_FALSE(IsWindowEnabled(second.Get()));
    EXPECT_TRUE(IsWindowEnabled(hidden.Get()));
    throw std::runtime_error("passing through");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(IsWindowEnabled(first.Get()));
  EXPECT_TRUE(IsWindowEnabled(second.Get()));
  EXPECT_FALSE(IsWindowEnabled(disabled.Get()));
  EXPECT_TRUE(IsWindowEnabled(hidden.Get()));
}

TEST(DisabledThreadWindowsTest, LeavesOtherThreadsWindowsAlone) {
  TTestWindow own(true);
  TForeignWindow foreign;
  ASSERT_TRUE(IsWindow(foreign.Get()));
  {
    TDisabledThreadWindows scope;
    EXPECT_FALSE(IsWindowEnabled(own.Get()));
    EXPECT_TRUE(IsWindowEnabled(foreign.Get()));
  }
  EXPECT_TRUE(IsWindowEnabled(own.Get()));
}

TEST(ErrorModeScopeTest, SetsTheModeAndRestoresItAfterAThrow) {
  const UINT original = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  try {
    TErrorModeScope scope(SEM_FAILCRITICALERRORS);
    EXPECT_EQ(CurrentErrorMode(), static_cast<UINT>(SEM_FAILCRITICALERRORS));
    throw std::runtime_error("passing through");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(SetErrorMode(original), static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}

}  // namespace
}  // namespace xa
