#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include "shell/com_ptr.h"
#include "shell/testing/shell_link_reader.h"

namespace xa {

TShellLinkContents ReadShellLink(const std::string& path) {
  TShellLinkContents contents;
  TComPtr<IShellLinkA> link;
  TComPtr<IPersistFile> file;
  wchar_t name[MAX_PATH];
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Receive())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) ||
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, name, MAX_PATH) == 0 ||
      FAILED(file->Load(name, STGM_READ)))
    return contents;
  char text[1024];
  auto read = [&text](auto call) {
    text[0] = '\0';
    call(text, static_cast<int>(sizeof(text)));
    return std::string(text);
  };
  contents.loaded = true;
  contents.Path = read([&](char* b, int n) { link->GetPath(b, n, nullptr, SLGP_RAWPATH); });
  contents.WorkingDirectory = read([&](char* b, int n) { link->GetWorkingDirectory(b, n); });
  contents.Arguments = read([&](char* b, int n) { link->GetArguments(b, n); });
  contents.Description = read([&](char* b, int n) { link->GetDescription(b, n); });
  contents.IconLocation =
      read([&](char* b, int n) { link->GetIconLocation(b, n, &contents.IconIndex); });
  link->GetShowCmd(&contents.ShowCmd);
  WORD hot_key = 0;
  link->GetHotkey(&hot_key);
  contents.HotKey = hot_key;
  return contents;
}

}  // namespace xa
