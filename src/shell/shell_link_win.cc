#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include "package/errors.h"
#include "shell/com_ptr.h"
#include "shell/shell_link.h"

namespace xa {

void TShellLink::Save(const std::string& path) const {
  TComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Receive())))
    Raise<Exception>(kShellLinkUnavailable);
  link->SetArguments(Arguments.c_str());
  link->SetShowCmd(ShowCmd);
  link->SetWorkingDirectory(WorkingDirectory.c_str());
  link->SetPath(Path.c_str());
  link->SetDescription(Description.c_str());
  link->SetHotkey(HotKey);
  link->SetIconLocation(IconLocation.c_str(), IconIndex);
  TComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())))
    Raise<Exception>("Interface not supported");
  // A name that does not fit is not saved under a shortened name, which could be another file.
  wchar_t name[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path.c_str(), -1, name, MAX_PATH) == 0)
    return;
  file->Save(name, TRUE);
}

}  // namespace xa
