#include "shell/testing/test_window.h"

namespace xa {

TTestWindow::TTestWindow(bool visible)
    : window_(CreateWindowExA(0,
                              "STATIC",
                              "test window",
                              WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                              0,
                              0,
                              200,
                              100,
                              nullptr,
                              nullptr,
                              GetModuleHandleA(nullptr),
                              nullptr)) {}

TTestWindow::~TTestWindow() {
  DestroyWindow(window_);
}

}  // namespace xa
