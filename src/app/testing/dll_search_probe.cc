// Loads each DLL named on its command line by name, after restricting the DLL search as the
// wizard does; with --unrestricted first, without the restriction, which shows that a test
// can tell the two apart. Exits 0.
#include <windows.h>

#include <cstring>

#include "app/dll_search_win.h"

int main(int argc, char** argv) {
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--unrestricted") == 0)
    first = 2;
  else
    xa::RestrictDllSearch();
  for (int i = first; i < argc; ++i)
    LoadLibraryA(argv[i]);
  return 0;
}
