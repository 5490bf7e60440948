// Opens the desktop of its Wine session and holds it until the session ends (tools/wine-server.sh
// runs it). Opening it starts Wine's desktop process from here, so that it writes to this
// program's output, not to a test's; and while this program runs, the desktop is in use and does
// not close between two tests. Prints "ready" once the desktop is open.

#include <windows.h>

#include <cstdio>

int main() {
  if (GetDesktopWindow() == nullptr) {
    std::fprintf(stderr, "desktop_keeper: Wine opened no desktop\n");
    return 1;
  }
  std::puts("ready");
  std::fflush(stdout);
  for (;;)
    Sleep(INFINITE);
}
