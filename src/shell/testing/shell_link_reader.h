#ifndef XA_SHELL_TESTING_SHELL_LINK_READER_H_
#define XA_SHELL_TESTING_SHELL_LINK_READER_H_

#include <cstdint>
#include <string>

namespace xa {

// What a .lnk file holds, as the shell's link object reads it back.
struct TShellLinkContents {
  bool loaded = false;  // false when the file could not be loaded
  std::string Path;
  std::string WorkingDirectory;
  std::string Arguments;
  std::string Description;
  std::string IconLocation;
  int IconIndex = 0;
  int ShowCmd = 0;
  uint16_t HotKey = 0;
};

// Loads the .lnk file `path` through IShellLinkA. COM must be initialised.
TShellLinkContents ReadShellLink(const std::string& path);

}  // namespace xa

#endif  // XA_SHELL_TESTING_SHELL_LINK_READER_H_
