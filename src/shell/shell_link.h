#ifndef XA_SHELL_SHELL_LINK_H_
#define XA_SHELL_SHELL_LINK_H_

#include <cstdint>
#include <string>

namespace xa {

// A shell shortcut (.lnk) written through the shell's link object. COM must be initialised on
// the calling thread as a single-threaded apartment.
class TShellLink {
 public:
  // Saves the fields to the .lnk file `path`, whose folder must exist. A path longer than
  // 259 UTF-16 units is not written at all, and a save the shell refuses is silent. Raises
  // Exception when the link object cannot be created, "Interface not supported" when it has
  // no IPersistFile.
  void Save(const std::string& path) const;

  std::string Arguments;
  std::string Description;
  uint16_t HotKey = 0;
  std::string IconLocation;
  int32_t IconIndex = -1;
  std::string Path;
  int32_t ShowCmd = 1;  // SW_SHOWNORMAL
  std::string WorkingDirectory;
};

// Thrown when the shell's link object cannot be created.
inline constexpr char kShellLinkUnavailable[] = "Cannot create the shell link object";

}  // namespace xa

#endif  // XA_SHELL_SHELL_LINK_H_
