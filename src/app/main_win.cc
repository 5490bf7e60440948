// The wizard program: installer, or uninstaller when its file is named "Uninstall.exe".
#include <windows.h>

#include "app/dll_search_win.h"
#include "shell/com_apartment.h"
#include "wizard/form_installer_win.h"

namespace {

// Runs the message loop until the form closes. Dialog navigation: Tab between controls, Enter
// for the default button.
int RunMessageLoop(HWND form) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsWindow(form) && IsDialogMessageW(form, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a library: nothing is ever taken from the download folder.
  xa::RestrictDllSearch();
  const xa::TComApartment apartment;
  xa::TSystemFormEnvironment environment;
  xa::TFormInstaller form(environment);
  try {
    form.Create();
  } catch (...) {
    form.ShowError(std::current_exception());
    return 1;
  }
  form.Show();
  return RunMessageLoop(form.Handle());
}
