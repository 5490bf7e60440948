#ifndef XA_WIZARD_RUN_LOG_WIN_H_
#define XA_WIZARD_RUN_LOG_WIN_H_

#include <string>
#include <string_view>

#include "package/lock.h"
#include "shell/scoped_handle.h"

namespace xa {

// The log of a run, written as UTF-8 text with CRLF line ends. Lines may come from any thread.
// Until a file is attached, lines are kept, so that what happened before the log's name was
// known is written too. The program only ever writes the file, never reads it back.
class TRunLog {
 public:
  TRunLog() = default;
  TRunLog(const TRunLog&) = delete;
  TRunLog& operator=(const TRunLog&) = delete;

  // Appends `line`, its line breaks as blanks; a write that fails is dropped (a run never
  // fails for its log).
  void Line(std::u16string_view line);
  // Appends `line`, in the system's 8-bit code page.
  void AnsiLine(std::string_view line);

  // Creates (or empties) the file at `path` and writes the lines kept so far. False when it
  // cannot be created; the lines are then kept and a later Attach may still take them.
  bool Attach(const std::u16string& path);

  // True once a file is attached.
  bool Attached() const { return file_.IsValid(); }

 private:
  void Write(const std::string& utf8);

  TLock lock_;
  TScopedHandle file_;
  std::string pending_;
};

// `text` in UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace xa

#endif  // XA_WIZARD_RUN_LOG_WIN_H_
