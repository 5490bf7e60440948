#include "engine/self_delete_batch.h"

#include <cstdio>

#include "shell/folder_rules.h"

namespace xa {

std::string BatchFileName(const TLocalTime& time) {
  char name[64];
  std::snprintf(name, sizeof(name), "%04d%02d%02d%02d%02d%02d%03d.bat", time.Year % 10000,
                time.Month % 100, time.Day % 100, time.Hour % 100, time.Minute % 100,
                time.Second % 100, time.Millisecond % 1000);
  return name;
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
                                const std::string& batch,
                                bool remove_folder) {
  const std::string quoted_target = "\"" + EscapeBatchText(target) + "\"";
  std::string text = ":repeat\r\n";
  text += "del " + quoted_target + "\r\n";
  text += "if exist " + quoted_target + " goto repeat\r\n";
  if (remove_folder)
    text += "rmdir \"" + EscapeBatchText(FilePathWithDelimiter(target)) + "\"\r\n";
  text += "del \"" + EscapeBatchText(batch) + "\"\r\n";
  return text;
}

}  // namespace xa
