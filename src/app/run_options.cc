#include "app/run_options.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace xa {
namespace {

std::string Narrow(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text)
    narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

char16_t UpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string Upper(std::u16string_view text) {
  std::u16string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
  return upper;
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

// The folders of a /TERMINALS value: split at ";", blanks around each and trailing backslashes
// dropped (a drive root keeps its own), empty entries skipped.
std::vector<std::u16string> SplitFolders(std::u16string_view list) {
  std::vector<std::u16string> folders;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(u';', start);
    if (end == std::u16string_view::npos)
      end = list.size();
    std::u16string folder(list.substr(start, end - start));
    while (!folder.empty() && IsBlank(folder.back()))
      folder.pop_back();
    folder.erase(0, std::min(folder.find_first_not_of(u" \t"), folder.size()));
    while (folder.size() > 1 && folder.back() == u'\\' && !folder.ends_with(u":\\"))
      folder.pop_back();
    if (!folder.empty())
      folders.push_back(std::move(folder));
    start = end + 1;
  }
  return folders;
}

struct TParser {
  TRunOptions options;
  bool mode_given = false;

  void Apply(const std::u16string& argument, bool uninstaller) {
    if (argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-'))
      throw EOptionError(u"Unknown option: " + argument);
    const size_t equals = argument.find(u'=');
    const std::u16string name = Upper(argument.substr(1, equals - 1));
    const bool has_value = equals != std::u16string::npos;
    const std::u16string value = has_value ? argument.substr(equals + 1) : u"";
    const std::u16string shown = argument.substr(0, std::min(equals, argument.size()));
    if (name == u"S" || name == u"SILENT" || name == u"PASSIVE") {
      NoValue(has_value, shown);
      if (mode_given)
        throw EOptionError(u"Only one of /S, /SILENT and /PASSIVE may be given");
      mode_given = true;
      options.Mode = name == u"PASSIVE" ? TRunMode::kPassive : TRunMode::kSilent;
    } else if (name == u"?" || name == u"HELP") {
      NoValue(has_value, shown);
      options.Help = true;
    } else if (name == u"LOG") {
      Once(options.LogFile.has_value(), shown);
      options.LogFile = NeedValue(has_value, value, shown);
    } else if (name == u"TERMINALS" && !uninstaller) {
      Once(options.Terminals.has_value(), shown);
      options.Terminals = SplitFolders(NeedValue(has_value, value, shown));
      if (options.Terminals->empty())
        throw EOptionError(shown + u" names no folder");
    } else {
      throw EOptionError(u"Unknown option: " + shown);
    }
  }

  static void NoValue(bool has_value, const std::u16string& shown) {
    if (has_value)
      throw EOptionError(shown + u" takes no value");
  }

  static void Once(bool given, const std::u16string& shown) {
    if (given)
      throw EOptionError(shown + u" is given twice");
  }

  static std::u16string NeedValue(bool has_value,
                                  const std::u16string& value,
                                  const std::u16string& shown) {
    if (!has_value || value.empty())
      throw EOptionError(shown + u" needs a value: " + shown + u"=\"...\"");
    return value;
  }
};

}  // namespace

EOptionError::EOptionError(std::u16string text)
    : TMessageError(Narrow(text)), Text(std::move(text)) {}

std::u16string_view ArgumentsOf(std::u16string_view command_line) {
  size_t at = 0;
  if (!command_line.empty() && command_line[0] == u'"') {
    at = command_line.find(u'"', 1);
    at = at == std::u16string_view::npos ? command_line.size() : at + 1;
  }
  while (at < command_line.size() && !IsBlank(command_line[at]))
    ++at;
  return command_line.substr(at);
}

std::vector<std::u16string> SplitArguments(std::u16string_view arguments) {
  std::vector<std::u16string> split;
  std::u16string current;
  bool in_argument = false;
  bool quoted = false;
  for (char16_t c : arguments) {
    if (c == u'"') {
      quoted = !quoted;
      in_argument = true;
    } else if (IsBlank(c) && !quoted) {
      if (in_argument)
        split.push_back(std::exchange(current, {}));
      in_argument = false;
    } else {
      current += c;
      in_argument = true;
    }
  }
  if (quoted)
    throw EOptionError(u"A quote is not closed: " + std::u16string(arguments));
  if (in_argument)
    split.push_back(std::move(current));
  return split;
}

TRunOptions ParseRunOptions(std::u16string_view arguments, bool uninstaller) {
  TParser parser;
  for (const std::u16string& argument : SplitArguments(arguments))
    parser.Apply(argument, uninstaller);
  if (parser.options.Terminals && parser.options.Mode == TRunMode::kWizard)
    throw EOptionError(u"/TERMINALS needs /S or /PASSIVE: the wizard asks for the folders");
  return parser.options;
}

std::optional<std::u16string> LogFileOf(std::u16string_view arguments) {
  std::optional<std::u16string> log;
  try {
    for (const std::u16string& argument : SplitArguments(arguments)) {
      const size_t equals = argument.find(u'=');
      if (equals == 4 && argument.size() > 5 && (argument[0] == u'/' || argument[0] == u'-') &&
          Upper(argument.substr(1, 3)) == u"LOG")
        log = argument.substr(5);
    }
  } catch (const EOptionError&) {
    return std::nullopt;
  }
  return log;
}

bool AsksForSilence(std::u16string_view arguments) {
  // Blanks of every kind as spaces, since the arguments are split at any of them.
  std::u16string padded = u" " + Upper(arguments) + u" ";
  for (char16_t& c : padded) {
    if (IsBlank(c))
      c = u' ';
  }
  for (const char16_t* option : {u" /S ", u" -S ", u" /SILENT ", u" -SILENT "}) {
    if (padded.find(option) != std::u16string::npos)
      return true;
  }
  return false;
}

std::u16string RunOptionsHelp() {
  return u"Options (case-insensitive, starting with / or -):\r\n"
         u"/S or /SILENT\tinstall (or uninstall) without any window\r\n"
         u"/PASSIVE\tshow only the progress, then close\r\n"
         u"/TERMINALS=\"C:\\A;D:\\B\"\tinstall into exactly these terminal folders\r\n"
         u"/LOG=\"file\"\twrite a log of the run (UTF-8)\r\n"
         u"/? or /HELP\tshow this text\r\n"
         u"\r\n"
         u"Exit codes: 0 success, 1 cannot start, 2 cancelled, 3 another copy is running,\r\n"
         u"4 a MetaTrader terminal is running, 5 no terminal to install into,\r\n"
         u"6 the run failed and was undone, 7 the run failed and not everything was undone.";
}

}  // namespace xa
