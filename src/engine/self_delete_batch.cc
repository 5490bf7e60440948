#include "engine/self_delete_batch.h"

#include "package/text_join.h"
#include "shell/folder_rules.h"

namespace xa {

std::string BatchFileName(const TLocalTime& time) {
  std::string name;
  AppendDigits(name, time.Year, 4);
  AppendDigits(name, time.Month, 2);
  AppendDigits(name, time.Day, 2);
  AppendDigits(name, time.Hour, 2);
  AppendDigits(name, time.Minute, 2);
  AppendDigits(name, time.Second, 2);
  AppendDigits(name, time.Millisecond, 3);
  return name + ".bat";
}

std::string EscapeBatchText(const std::string& path) {
  std::string escaped;
  escaped.reserve(path.size());
  for (char c : path) {
    escaped += c;
    if (c == '%')
      escaped += '%';
  }
  return escaped;
}

std::string SelfDeleteBatchText(const std::string& target,
                                const std::string& folder,
                                const std::string& name,
                                bool remove_folder) {
  const std::string quoted_target = JoinText({"\"", EscapeBatchText(target), "\""});
  std::string text = ":repeat\r\n";
  text += JoinText({"del ", quoted_target, "\r\n"});
  text += JoinText({"if exist ", quoted_target, " goto repeat\r\n"});
  if (remove_folder)
    text += JoinText({"rmdir \"", EscapeBatchText(FilePathWithDelimiter(target)), "\"\r\n"});
  // The interpreter may hold the batch open to its end (Wine's does), which keeps a deleted
  // batch in its folder until then: so it is moved out first, beside its folder under the
  // folder's name, and deleted there.
  const std::string escaped = EscapeBatchText(folder);
  text +=
      JoinText({"move \"", escaped, "\\", EscapeBatchText(name), "\" \"", escaped,
                ".bat\" >nul & rmdir \"", escaped, "\\\" & del \"", escaped, ".bat\" & exit\r\n"});
  return text;
}

}  // namespace xa
