#include "shell/private_folder.h"

#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <cstdint>
#include <string_view>

#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/local_memory.h"
#include "shell/scoped_handle.h"
#include "shell/sys_folders.h"

// RtlGenRandom: the system's cryptographic random source, present since Windows XP, which
// BCryptGenRandom is not.
extern "C" BOOLEAN NTAPI SystemFunction036(PVOID buffer, ULONG length);

namespace xa {
namespace {

// Full control for SYSTEM and Administrators, nothing inherited from above; folders pass their
// entries on to what is made in them. An administrator makes Administrators the owner; anyone
// else stays the owner and keeps full control through OWNER RIGHTS.
const char* PrivateSecurityText(bool folder) {
  if (RunsAsAdministrator())
    return folder ? "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)" : "O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)";
  return folder ? "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;OW)"
                : "D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;FA;;;OW)";
}

// Creation attributes that carry the private security descriptor of a folder or file.
class TPrivateSecurity {
 public:
  explicit TPrivateSecurity(bool folder) {
    ConvertStringSecurityDescriptorToSecurityDescriptorA(
        PrivateSecurityText(folder), SDDL_REVISION_1, descriptor_.Receive(), nullptr);
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = descriptor_.Get();
  }

  bool IsValid() const { return descriptor_.Get() != nullptr; }
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

 private:
  TLocalMemory<void> descriptor_;
  SECURITY_ATTRIBUTES attributes_{};
};

// True when the volume of `path` keeps access control lists; FAT, for one, drops them without
// a word.
bool KeepsAccessControl(const std::string& path) {
  char root[MAX_PATH];
  DWORD flags = 0;
  return GetVolumePathNameA(path.c_str(), root, MAX_PATH) &&
         GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
         (flags & FILE_PERSISTENT_ACLS) != 0;
}

}  // namespace

bool RunsAsAdministrator() {
  // Whether the token has the Administrators group enabled, as CheckTokenMembership tells.
  return IsUserAnAdmin() != FALSE;
}

std::string PrivateFolderParent() {
  if (!RunsAsAdministrator())
    return ExcludeTrailingDelimiter(GetSysFolder(SysFolderId::kTemp, false));
  // The shared Windows folder: on a terminal server GetWindowsDirectory may give a folder of
  // the user's own.
  char windows[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryA(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return {};
  return JoinText({std::string_view(windows, length), "\\Temp"});
}

std::string MakePrivateFolder(const std::string& parent) {
  // 32 lower-case hexadecimal digits from the system's random source.
  uint8_t random[16];
  char name[32];
  if (parent.empty() || !SystemFunction036(random, sizeof(random)))
    return {};
  for (size_t i = 0; i < sizeof(name); ++i)
    name[i] = "0123456789abcdef"[(random[i / 2] >> (i % 2 == 0 ? 4 : 0)) & 15];
  TPrivateSecurity security(true);
  std::string folder = JoinText({parent, "\\", std::string_view(name, sizeof(name))});
  if (!security.IsValid() || !KeepsAccessControl(parent) ||
      !CreateDirectoryA(folder.c_str(), security.Attributes()))
    return {};
  return folder;
}

bool WriteNewPrivateFile(const std::string& path, const std::string& contents) {
  TPrivateSecurity security(false);
  if (!security.IsValid())
    return false;
  TScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, security.Attributes(), CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid())
    return false;
  DWORD written = 0;
  const bool done = WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()),
                              &written, nullptr) &&
                    written == contents.size();
  file.Reset();
  if (!done)
    DeleteFileA(path.c_str());
  return done;
}

}  // namespace xa
