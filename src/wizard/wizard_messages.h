#ifndef XA_WIZARD_WIZARD_MESSAGES_H_
#define XA_WIZARD_WIZARD_MESSAGES_H_

#include <string>

namespace xa {

// The wizard's own message boxes: titles by kind, lines joined by a single carriage return.

// Title of the error boxes.
inline constexpr char16_t kErrorTitle[] = u"Error";

// Title of the warning boxes.
inline constexpr char16_t kWarningTitle[] = u"Warning";

// Shown in an error box when the welcome page is left while a terminal runs.
inline constexpr char16_t kTerminalRunningError[] =
    u"The wizard detect a MetaTrader program currently running.\r"
    u"Please close the program and then click OK to continue.";

// Shown in a warning box when the scan finds no terminal folder and the default is offered.
inline constexpr char16_t kNoTerminalWarning[] =
    u"We cannot find any MetaTrader folder in this computer.\r"
    u"We add a default folder so you can continue with the installation,\r"
    u"and install MetaTrader later.";

// Shown in an error box when a folder picked for the install has a name that the system's ANSI
// code page cannot hold, so that the install would write into another path.
inline std::u16string UnmappableFolderError(const std::u16string& folder) {
  return u"The folder \"" + folder +
         u"\" cannot be used: its name has characters that this computer's ANSI code page "
         u"cannot hold.\rPlease choose a folder whose name has none of them.";
}

// Title of the folder picker that adds a terminal folder; the picker takes 8-bit text.
inline constexpr char kPickTerminalFolderTitle[] = "Select MetaTrader Folder";

}  // namespace xa

#endif  // XA_WIZARD_WIZARD_MESSAGES_H_
