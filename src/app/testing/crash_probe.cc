// Dies of an access violation, writing to address 0, after saying so: under Wine it must end at
// once with the fault on its error output, and a walk that drives it as the wizard must stop
// waiting for it (tools/wine_crash_test.sh, tools/walk_crash_test.sh).

#include <cstdint>
#include <cstdio>

int main() {
  std::puts("crash_probe: writing to address 0");
  std::fflush(stdout);
  // Read at run time, so that the compiler emits the store rather than a trap of its own.
  volatile std::uintptr_t address = 0;
  *reinterpret_cast<volatile int*>(address) = 1;
  return 0;
}
