#include "shell/folder_picker.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cwchar>

#include "shell/com_ptr.h"
#include "shell/folder_rules.h"
#include "shell/modal_scope.h"

namespace xa {
namespace {

// A block from the shell's allocator (a buffer or an item-id list), freed with it when it goes.
class TShellBlock {
 public:
  TShellBlock(IMalloc* allocator, void* block) : allocator_(allocator), block_(block) {}
  ~TShellBlock() {
    if (block_)
      allocator_->Free(block_);
  }
  TShellBlock(const TShellBlock&) = delete;
  TShellBlock& operator=(const TShellBlock&) = delete;

  void* Get() const { return block_; }

 private:
  IMalloc* allocator_;
  void* block_;
};

// The program's main window stands for the application: the dialog belongs to whatever window
// the user is working in, and to the top of its chain of owners.
HWND ApplicationWindow() {
  const HWND active = GetActiveWindow();
  return active ? GetAncestor(active, GA_ROOTOWNER) : nullptr;
}

// The item-id list of `root` parsed by the desktop folder; none when `root` is empty or cannot
// be parsed, which leaves the dialog on the whole namespace.
LPITEMIDLIST ParseRoot(const std::u16string& root, HWND owner) {
  if (root.empty())
    return nullptr;
  TComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.Receive()))))
    return nullptr;
  std::wstring name(root.begin(), root.end());
  LPITEMIDLIST list = nullptr;
  if (FAILED(desktop->ParseDisplayName(owner, nullptr, name.data(), nullptr, &list, nullptr)))
    return nullptr;
  return list;
}

}  // namespace

bool PickFolder(const std::string& title,
                const std::u16string& root,
                std::string& folder,
                std::u16string& chosen) {
  if (!DirectoryExists(folder))
    folder.clear();
  TComPtr<IMalloc> allocator;
  if (FAILED(SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.Receive()))) || !allocator)
    return false;
  TShellBlock buffer(allocator.Get(), allocator->Alloc(MAX_PATH));
  if (!buffer.Get())
    return false;
  char* const text = static_cast<char*>(buffer.Get());
  const HWND owner = ApplicationWindow();
  TShellBlock root_list(allocator.Get(), ParseRoot(root, owner));

  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = static_cast<LPCITEMIDLIST>(root_list.Get());
  info.pszDisplayName = text;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  if (!folder.empty()) {
    info.lpfn = PickFolderCallback;
    info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
  }

  LPITEMIDLIST picked = nullptr;
  {
    TDisabledThreadWindows disabled;
    TErrorModeScope error_mode(SEM_FAILCRITICALERRORS);
    picked = SHBrowseForFolderA(&info);
  }
  if (!picked)
    return false;
  TShellBlock chosen_list(allocator.Get(), picked);
  // The buffer still holds the display name; only a real path may become the folder. The path
  // is read in UTF-16, since the ANSI text would silently replace what the code page lacks.
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(picked, path) || path[0] == L'\0')
    return false;
  chosen.assign(path, path + wcslen(path));
  return true;
}

namespace {

// The folder the open picker preselects, and how often it may still try. One picker is open at
// a time: it is modal to the program's only window thread.
struct TPreselection {
  LPARAM Folder = 0;
  int TriesLeft = 0;
};
TPreselection preselection;

constexpr UINT_PTR kPreselectTimer = 0x5841;  // "XA": apart from the dialog's own timers
constexpr UINT kPreselectInterval = 100;      // milliseconds
constexpr int kPreselectTries = 50;

bool TreeHasSelection(HWND dialog) {
  const HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  return tree && SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
}

// Wine's picker matches the folder to select against its tree's items byte for byte, the
// folders' times included, so a folder along the path that something writes into between the
// two lookups (the temporary folder, say) leaves nothing selected. The tree's items below the
// root are made afresh as the selection expands them: until an item is selected, the picker is
// asked again, for a few seconds at most.
void CALLBACK RetryPreselection(HWND dialog, UINT, UINT_PTR timer, DWORD) {
  if (TreeHasSelection(dialog) || --preselection.TriesLeft < 0) {
    KillTimer(dialog, timer);
    return;
  }
  SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, preselection.Folder);
}

}  // namespace

int CALLBACK PickFolderCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message != BFFM_INITIALIZED || data == 0)
    return 0;
  SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  if (!TreeHasSelection(dialog)) {
    preselection = {data, kPreselectTries};
    SetTimer(dialog, kPreselectTimer, kPreselectInterval, RetryPreselection);
  }
  return 0;
}

}  // namespace xa
