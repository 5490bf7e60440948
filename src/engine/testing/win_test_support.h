#ifndef XA_ENGINE_TESTING_WIN_TEST_SUPPORT_H_
#define XA_ENGINE_TESTING_WIN_TEST_SUPPORT_H_

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "package/xa_data.h"

namespace xa {

using TProgressLog = std::vector<std::pair<std::string, int32_t>>;

// A progress callback that appends every report to `log`.
ProgressCallback RecordProgress(TProgressLog& log);

// The creation, last-access and last-write times of a file; all 0 when it cannot be opened.
struct TFileTimes {
  uint64_t Created = 0;
  uint64_t Accessed = 0;
  uint64_t Written = 0;
};
TFileTimes ReadFileTimes(const std::string& path);

// False where the file system cannot keep a creation time that is set, as under Wine on most
// Linux file systems; creation times are checked only where it can. Probes in `folder`.
bool CreationTimeIsKept(const std::string& folder);

// The string value `name` of the key `path` below HKEY_LOCAL_MACHINE; "" when missing.
std::string ReadMachineValue(const std::string& path, const std::string& name);

// True when the key `path` below HKEY_LOCAL_MACHINE exists.
bool MachineKeyExists(const std::string& path);

// Polls `done` every 50 ms until it holds or `seconds` have passed; returns its last answer.
bool WaitFor(const std::function<bool()>& done, int seconds);

// Runs `command_line` hidden, with its standard output and error written to the files
// `output` and `errors`, and waits up to `seconds` for it to end. Returns its exit code, or -1
// when it could not be started or did not end in time (it is then terminated).
int RunProgram(const std::string& command_line,
               const std::string& output,
               const std::string& errors,
               int seconds);

// The first visible top-level window of process `process_id` whose class is `window_class`;
// null when there is none.
HWND FindProcessWindow(uint32_t process_id, const std::string& window_class);

// The test double terminal.exe from beside the test program, running in a process of its own
// that owns a terminal window; closed (or ended) when the object goes.
class TTerminalDouble {
 public:
  TTerminalDouble();
  ~TTerminalDouble();
  TTerminalDouble(const TTerminalDouble&) = delete;
  TTerminalDouble& operator=(const TTerminalDouble&) = delete;

  // True when the process was started.
  bool Started() const { return process_ != nullptr; }

  // Its terminal window, waited for up to `seconds`; null when none appeared.
  HWND WaitForWindow(int seconds);

  // Closes its window and waits up to `seconds` for it to end; returns its exit code, or -1
  // when it did not end in time (it is then terminated).
  int Close(int seconds);

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Copies the test double terminal.exe into `folder`.
bool CopyTerminalDouble(const std::string& folder);

// Makes the folders "Terminal A" and "Terminal B" in `root`, each holding the test double
// terminal.exe, and stores their paths in `terminal_a` and `terminal_b`. False when one fails.
bool MakeTwoTerminalDoubles(const std::string& root,
                            std::string* terminal_a,
                            std::string* terminal_b);

}  // namespace xa

#endif  // XA_ENGINE_TESTING_WIN_TEST_SUPPORT_H_
