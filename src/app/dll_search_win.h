#ifndef XA_APP_DLL_SEARCH_WIN_H_
#define XA_APP_DLL_SEARCH_WIN_H_

namespace xa {

// Restricts the folders searched for DLLs that the program loads by name at run time to the
// system folder, so that a DLL planted beside the program (as in a downloads folder) never
// loads: the default search becomes System32 alone where the system offers
// SetDefaultDllDirectories, and the current folder leaves the search everywhere. Call it as
// the first statement of WinMain, before anything loads a DLL. Windows only.
void RestrictDllSearch();

}  // namespace xa

#endif  // XA_APP_DLL_SEARCH_WIN_H_
