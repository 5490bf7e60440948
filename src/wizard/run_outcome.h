#ifndef XA_WIZARD_RUN_OUTCOME_H_
#define XA_WIZARD_RUN_OUTCOME_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/data_folders.h"

namespace xa {

// The program's exit codes, the same whether the wizard is shown or not; scripts rely on the
// numbers, so they never change.
enum class TExitCode : int {
  kSuccess = 0,
  kCannotStart = 1,      // unknown or malformed option, damaged installer, unreadable record
  kCancelled = 2,        // the wizard was closed before its run; nothing written
  kAlreadyRunning = 3,   // another copy of the installer or uninstaller runs
  kTerminalRunning = 4,  // a MetaTrader terminal runs; nothing written
  kNoTerminal = 5,       // none found, or a named folder without terminal.exe; nothing written
  kRunUndone = 6,        // the run failed and everything it changed was put back
  kRunPartlyUndone = 7,  // the run failed and not everything could be put back
};

// What `code` means, for the log's last lines.
const char* ExitCodeMeaning(TExitCode code);

// The log's last line: "Exit code: N (meaning)".
std::string ExitCodeLine(TExitCode code);

// The log's lines naming the terminal folders of a run, each followed by its data folders of
// `data_folders`.
std::vector<std::string> TerminalLines(const std::vector<std::string>& terminal_folders,
                                       const std::vector<TDataFolder>& data_folders);

// The name of an unattended run's log: `title` with the characters file names cannot hold
// ("\/:*?"<>|" and controls) as "_", a blank, `stamp` and ".log".
std::u16string LogFileName(std::u16string_view title, std::u16string_view stamp);

}  // namespace xa

#endif  // XA_WIZARD_RUN_OUTCOME_H_
