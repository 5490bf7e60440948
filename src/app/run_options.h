#ifndef XA_APP_RUN_OPTIONS_H_
#define XA_APP_RUN_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/message_error.h"

namespace xa {

// How much of the wizard a run shows: all of it, only the progress page of a run that starts
// and ends by itself (/PASSIVE), or no window at all (/S, /SILENT).
enum class TRunMode { kWizard, kPassive, kSilent };

// The program's command-line options. Without any, the wizard runs as it always has.
struct TRunOptions {
  TRunMode Mode = TRunMode::kWizard;
  // /? or /HELP: show the options and end.
  bool Help = false;
  // /TERMINALS="C:\A;D:\B": install into exactly these folders (trailing backslashes dropped).
  std::optional<std::vector<std::u16string>> Terminals;
  // /LOG="file": where the run's log goes.
  std::optional<std::u16string> LogFile;
};

// A command line the program refuses: Text says which option and why; what() is Text with
// every character beyond ASCII as "?".
class EOptionError : public TMessageError {
 public:
  explicit EOptionError(std::u16string text);
  std::u16string Text;
};

// The arguments of a whole Windows command line: the program's name (quoted or not) skipped.
std::u16string_view ArgumentsOf(std::u16string_view command_line);

// Splits `arguments` at blanks and tabs outside double quotes; the quotes themselves are
// dropped, so "/LOG=C:\a b.log" and /LOG="C:\a b.log" are the same argument. A backslash is an
// ordinary character: folders end in one. Raises EOptionError for an unclosed quote.
std::vector<std::u16string> SplitArguments(std::u16string_view arguments);

// Parses `arguments` (ArgumentsOf the command line). Options are case-insensitive and start
// with "/" or "-". `uninstaller` refuses /TERMINALS, which only an installer takes. Raises
// EOptionError for an unknown option, a value missing or where none is taken, an option given
// twice (/S and /SILENT count as one), /S with /PASSIVE, /TERMINALS without /S or /PASSIVE, and
// an empty folder list.
TRunOptions ParseRunOptions(std::u16string_view arguments, bool uninstaller);

// The value of the last well-formed /LOG option of `arguments`, for the log of a command line
// that ParseRunOptions refuses; none when there is none or the quotes do not pair. Never raises.
std::optional<std::u16string> LogFileOf(std::u16string_view arguments);

// Whether `arguments` ask for a silent run (/S or /SILENT), even where ParseRunOptions refuses
// them: such a run must not open a message box for a malformed option either. Never raises.
bool AsksForSilence(std::u16string_view arguments);

// The options text that /? shows, lines separated by "\r\n".
std::u16string RunOptionsHelp();

}  // namespace xa

#endif  // XA_APP_RUN_OPTIONS_H_
