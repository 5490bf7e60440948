#include "app/walk/window_driver_win.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "engine/testing/win_test_support.h"
#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"

namespace xa {
namespace {

constexpr UINT kAnswerMilliseconds = 5000;

std::u16string ClassOf(HWND window) {
  char16_t name[256] = {};
  GetClassNameW(window, reinterpret_cast<wchar_t*>(name), 256);
  return name;
}

struct TControlSearch {
  std::u16string Class, Caption;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TControlSearch*>(data);
  if (!IsWindowVisible(window) || lstrcmpiW(Wide(ClassOf(window)), Wide(search->Class)) != 0)
    return TRUE;
  if (!search->Caption.empty() && TextOf(window) != search->Caption)
    return TRUE;
  search->Found = window;
  return FALSE;
}

// Starts `command_line` and returns its process handle and, in `id`, its process id.
HANDLE StartProgram(const std::string& command_line, DWORD& id) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw std::runtime_error("cannot start " + command_line);
  }
  CloseHandle(process.hThread);
  id = process.dwProcessId;
  return process.hProcess;
}

}  // namespace

TDrivenProgram::TDrivenProgram(const std::string& command_line)
    : command_line_(command_line), process_(StartProgram(command_line, id_)) {}

TDrivenProgram::~TDrivenProgram() {
  if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 10000);
  }
}

HWND TDrivenProgram::WaitForWindow(const std::string& window_class,
                                   const std::string& what,
                                   int seconds) {
  HWND window = nullptr;
  Await([&] { return (window = FindProcessWindow(id_, window_class)) != nullptr; }, what, seconds);
  return window;
}

void TDrivenProgram::Await(const std::function<bool()>& done,
                           const std::string& what,
                           int seconds) {
  DWORD code = STILL_ACTIVE;
  xa::Await(
      [&] {
        if (done())
          return true;
        if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0)
          return false;
        GetExitCodeProcess(process_.Get(), &code);
        return true;
      },
      what, seconds);
  if (code != STILL_ACTIVE) {
    char hex[16] = {};
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    throw std::runtime_error(command_line_ + " ended with exit code " + hex +
                             " while waiting for " + what);
  }
}

DWORD TDrivenProgram::WaitForExit(int seconds) {
  if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(seconds) * 1000) != WAIT_OBJECT_0)
    throw std::runtime_error("the program did not end within " + std::to_string(seconds) + " s");
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

HWND FindControl(HWND root, const std::u16string& window_class, const std::u16string& caption) {
  TControlSearch search{window_class, caption};
  EnumChildWindows(root, &MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND RequireControl(HWND root, const std::u16string& window_class, const std::u16string& caption) {
  HWND control = FindControl(root, window_class, caption);
  if (control == nullptr) {
    throw std::runtime_error("no visible " + Utf16ToAnsi(window_class) + " \"" +
                             Utf16ToAnsi(caption) + "\"");
  }
  return control;
}

std::u16string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                           &length)) {
    return {};
  }
  std::u16string text(length + 1, u'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kAnswerMilliseconds, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

void Press(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

void Await(const std::function<bool()>& done, const std::string& what, int seconds) {
  for (int waited = 0; waited <= seconds * 1000; waited += 50) {
    if (done())
      return;
    Sleep(50);
  }
  throw std::runtime_error("timed out after " + std::to_string(seconds) + " s waiting for " + what);
}

void Settle(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds, &ignored);
  Sleep(300);
}

}  // namespace xa
