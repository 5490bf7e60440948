#ifndef XA_SHELL_TESTING_PRIVATE_SECURITY_H_
#define XA_SHELL_TESTING_PRIVATE_SECURITY_H_

#include <string>

namespace xa {

// The DACL of `path` as GetNamedSecurityInfo gives it back, as SDDL text ("D:P(A;;FA;;;SY)");
// "" when it cannot be read.
std::string ReadDaclText(const std::string& path);

// False where the file system does not keep a DACL that is set, as under Wine, which maps it
// onto the Unix file mode and gives back one made from that: SYSTEM and the owner with full
// control, and Everyone with whatever others may do. Probes in `folder`.
bool SecurityDescriptorIsKept(const std::string& folder);

// "" when `path` carries the security of a private folder (`folder` true) or file: where the
// DACL is kept (`kept`), exactly the protected DACL for SYSTEM and Administrators (and the
// owner where the process is no administrator), owned by Administrators for an administrator;
// where it is not, at least no entry for anyone but them and the current user. Else what
// differs.
std::string PrivateSecurityMismatch(const std::string& path, bool folder, bool kept);

}  // namespace xa

#endif  // XA_SHELL_TESTING_PRIVATE_SECURITY_H_
