#ifndef XA_SHELL_TESTING_TEST_WINDOW_H_
#define XA_SHELL_TESTING_TEST_WINDOW_H_

#include <windows.h>

namespace xa {

// A plain top-level window of the calling thread, shown or hidden, destroyed when it goes.
class TTestWindow {
 public:
  explicit TTestWindow(bool visible);
  ~TTestWindow();
  TTestWindow(const TTestWindow&) = delete;
  TTestWindow& operator=(const TTestWindow&) = delete;

  HWND Get() const { return window_; }

 private:
  HWND window_;
};

}  // namespace xa

#endif  // XA_SHELL_TESTING_TEST_WINDOW_H_
