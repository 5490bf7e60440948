// The wizard program: installer, or uninstaller when its file is named "Uninstall.exe".
#include <windows.h>

#include "app/dll_search_win.h"
#include "app/program_run_win.h"
#include "shell/com_apartment.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a library: nothing is ever taken from the download folder.
  xa::RestrictDllSearch();
  const xa::TComApartment apartment;
  xa::TSystemFormEnvironment environment;
  return static_cast<int>(
      xa::RunProgram(environment, reinterpret_cast<const char16_t*>(GetCommandLineW())));
}
