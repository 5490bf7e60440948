#include "shell/folder_picker.h"

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

int CALLBACK PickFolderCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0)
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace xa
