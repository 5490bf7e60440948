#include "wizard/run_outcome.h"

namespace xa {

const char* ExitCodeMeaning(TExitCode code) {
  switch (code) {
    case TExitCode::kSuccess:
      return "success";
    case TExitCode::kCannotStart:
      return "cannot start";
    case TExitCode::kCancelled:
      return "cancelled, nothing written";
    case TExitCode::kAlreadyRunning:
      return "another copy of the installer is running";
    case TExitCode::kTerminalRunning:
      return "a MetaTrader terminal is running, nothing written";
    case TExitCode::kNoTerminal:
      return "no terminal to install into, nothing written";
    case TExitCode::kRunUndone:
      return "the run failed and was undone";
    case TExitCode::kRunPartlyUndone:
      return "the run failed and not everything could be undone";
  }
  return "unknown";
}

std::string ExitCodeLine(TExitCode code) {
  return "Exit code: " + std::to_string(static_cast<int>(code)) + " (" + ExitCodeMeaning(code) +
         ")";
}

std::vector<std::string> TerminalLines(const std::vector<std::string>& terminal_folders,
                                       const std::vector<TDataFolder>& data_folders) {
  std::vector<std::string> lines;
  for (const std::string& folder : terminal_folders) {
    lines.push_back("Terminal: " + folder);
    for (const std::string& data_folder : DataFoldersOf(data_folders, folder))
      lines.push_back("  Data folder: " + data_folder);
  }
  return lines;
}

std::u16string LogFileName(std::u16string_view title, std::u16string_view stamp) {
  std::u16string name(title);
  for (char16_t& c : name) {
    if (c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos)
      c = u'_';
  }
  return name + u" " + std::u16string(stamp) + u".log";
}

}  // namespace xa
