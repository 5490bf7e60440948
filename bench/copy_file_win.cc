// The plain copy the Windows install benchmark measures the install against: the system's own
// file copy, so that the ratio shows what deciphering and the install run add.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: copy_file SOURCE TARGET\n", stderr);
    return 2;
  }
  if (!CopyFileA(argv[1], argv[2], FALSE)) {
    std::fprintf(stderr, "copy_file: error %lu\n", GetLastError());
    return 1;
  }
  return 0;
}
