#include "shell/testing/private_security.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "shell/local_memory.h"
#include "shell/private_folder.h"
#include "shell/scoped_handle.h"

namespace xa {
namespace {

// The parts `what` of the security descriptor of `path` as SDDL text; "" when unreadable.
std::string ReadSecurityText(const std::string& path, SECURITY_INFORMATION what) {
  TLocalMemory<void> descriptor;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, what, nullptr, nullptr, nullptr, nullptr,
                            descriptor.Receive()) != ERROR_SUCCESS)
    return {};
  TLocalMemory<char> text;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.Get(), SDDL_REVISION_1, what,
                                                            text.Receive(), nullptr))
    return {};
  return text.Get();
}

std::string CurrentUserSidText() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
    return {};
  TScopedHandle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  TLocalMemory<char> text;
  if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size) ||
      !ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, text.Receive()))
    return {};
  return text.Get();
}

// The trustee of each entry of the SDDL text `dacl`: the text after an entry's last ";".
std::vector<std::string> Trustees(const std::string& dacl) {
  std::vector<std::string> trustees;
  for (size_t end = dacl.find(')'); end != std::string::npos; end = dacl.find(')', end + 1)) {
    const size_t start = dacl.rfind(';', end) + 1;
    trustees.push_back(dacl.substr(start, end - start));
  }
  return trustees;
}

}  // namespace

std::string ReadDaclText(const std::string& path) {
  return ReadSecurityText(path, DACL_SECURITY_INFORMATION);
}

bool SecurityDescriptorIsKept(const std::string& folder) {
  const std::string probe = folder + "\\security_probe";
  const std::string dacl = "D:P(A;OICI;FA;;;SY)";
  TLocalMemory<void> descriptor;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(dacl.c_str(), SDDL_REVISION_1,
                                                            descriptor.Receive(), nullptr))
    return false;
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.Get(), FALSE};
  if (!CreateDirectoryA(probe.c_str(), &attributes))
    return false;
  const bool kept = ReadDaclText(probe) == dacl;
  RemoveDirectoryA(probe.c_str());
  return kept;
}

std::string PrivateSecurityMismatch(const std::string& path, bool folder, bool kept) {
  const bool administrator = RunsAsAdministrator();
  const std::string user = CurrentUserSidText();
  const std::string dacl = ReadDaclText(path);
  if (dacl.empty())
    return "no DACL could be read";
  if (kept) {
    const std::string flags = folder ? "OICI" : "";
    std::string expected = "D:P(A;" + flags + ";FA;;;SY)(A;" + flags + ";FA;;;BA)";
    if (!administrator)
      expected += "(A;" + flags + ";FA;;;OW)";
    if (dacl != expected)
      return "DACL " + dacl + ", not " + expected;
    const std::string owner = ReadSecurityText(path, OWNER_SECURITY_INFORMATION);
    if (administrator && owner != "O:BA")
      return "owner " + owner + ", not O:BA";
    return {};
  }
  for (const std::string& trustee : Trustees(dacl)) {
    if (trustee != "SY" && trustee != "BA" && trustee != user)
      return "DACL " + dacl + " names " + trustee;
  }
  return {};
}

}  // namespace xa
