// The program run without a person: silent and passive installs and uninstalls, their logs and
// exit codes, each produced by its real cause, out of process as a script would run them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/install_run.h"
#include "engine/installer_check.h"
#include "engine/testing/data_folder_double.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/machine_snapshot.h"
#include "engine/testing/win_test_support.h"
#include "shell/com_apartment.h"
#include "shell/scoped_handle.h"
#include "shell/sys_folders.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Unattended Test " + std::to_string(GetCurrentProcessId());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// A snapshot without write times, which differ between two installs of the same package for
// what an install writes itself (uninstaller, shortcuts), nor the shortcuts' bytes, which hold
// their targets' times.
std::vector<std::string> Timeless(std::vector<std::string> lines) {
  for (std::string& line : lines) {
    line = line.substr(0, line.find(" written "));
    if (line.find(".lnk size ") != std::string::npos)
      line = line.substr(0, line.find(" digest "));
  }
  return lines;
}

struct TRun {
  int ExitCode = -1;
  bool WindowSeen = false;
};

struct TWindowSearch {
  DWORD Id;
  bool Found = false;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  search.Found = owner == search.Id && IsWindowVisible(window);
  return !search.Found;
}

bool HasVisibleWindow(DWORD process_id) {
  TWindowSearch search{process_id};
  EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Runs `program` with `arguments`, watching for its windows until it ends (two minutes at
// most, then it is ended).
TRun RunWatched(const std::string& program, const std::string& arguments) {
  TRun run;
  std::string command_line = "\"" + program + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return run;
  const TScopedHandle handle(process.hProcess);
  CloseHandle(process.hThread);
  for (int waited = 0; waited < 120000; waited += 20) {
    run.WindowSeen = run.WindowSeen || HasVisibleWindow(process.dwProcessId);
    if (WaitForSingleObject(handle.Get(), 20) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(handle.Get(), &code);
      run.ExitCode = static_cast<int>(code);
      return run;
    }
  }
  TerminateProcess(handle.Get(), 99);
  return run;
}

class UnattendedTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& folder : {program_files_terminal_, elsewhere_terminal_}) {
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
      ASSERT_TRUE(CopyTerminalDouble(folder)) << folder;
    }
    data_folder_ = data_folders_.MakeFor(elsewhere_terminal_);
    package_.ProgramName = Name();
    package_.Publisher = "XA Tests";
    package_.AddFile().TargetPath = "{metatrader}\\MQL4\\Experts\\Silent.mq4";
    TXaInstallFile& manual = package_.AddFile();
    manual.TargetPath = "{app}\\Docs\\Manual.txt";
    manual.ShortcutName = "Manual";
    BuildInstaller(package_, {"expert source", "manual text"}, setup_, XA_SETUP_PATH);
  }

  void TearDown() override { RemoveTree(program_files_terminal_); }

  std::vector<std::string> Snapshot() {
    std::vector<std::string> lines =
        Timeless(SnapshotFolders({program_files_terminal_, elsewhere_terminal_, data_folder_,
                                  cleanup_.AppFolder(), cleanup_.MenuFolder()},
                                 false));
    const std::vector<std::string> key = SnapshotMachineKey(cleanup_.KeyPath());
    lines.insert(lines.end(), key.begin(), key.end());
    return lines;
  }

  std::vector<std::string> LogLines() { return Lines(ReadFileBytes(log_)); }

  std::string Expert(const std::string& folder) { return folder + "\\MQL4\\Experts\\Silent.mq4"; }

  TTempFolder temp_{"unattended"};
  const std::string program_files_terminal_ = GetSysFolder(SysFolderId::kProgramFiles, true) +
                                              "XA Unattended Terminal " +
                                              std::to_string(GetCurrentProcessId());
  const std::string elsewhere_terminal_ = temp_.Path() + "\\Elsewhere";
  TDataFolderDoubles data_folders_;
  std::string data_folder_;
  TInstallCleanup cleanup_{Name()};
  TXaInstall package_;
  const std::string setup_ = temp_.Path() + "\\Setup.exe";
  const std::string log_ = temp_.Path() + "\\run log.txt";
};

TEST_F(UnattendedTest, SilentInstallMatchesTheWizardsAndSilentUninstallLeavesNothing) {
  const std::vector<std::string> before = Snapshot();
  const TRun install = RunWatched(setup_, "/S /LOG=\"" + log_ + "\"");
  ASSERT_EQ(install.ExitCode, 0);
  EXPECT_FALSE(install.WindowSeen);
  // Both terminals, the one outside Program Files found through its data folder.
  for (const std::string& folder : {program_files_terminal_, elsewhere_terminal_, data_folder_})
    EXPECT_EQ(ReadFileBytes(Expert(folder)), "expert source") << folder;
  const std::vector<std::string> silent = Snapshot();

  const std::vector<std::string> log = LogLines();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0].find(setup_), 0u);
  EXPECT_EQ(log[1], "Options: /S /LOG=\"" + log_ + "\"");
  EXPECT_NE(std::find(log.begin(), log.end(), "Terminal: " + program_files_terminal_), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "  Data folder: " + data_folder_), log.end());
  EXPECT_EQ(log.back(), "Exit code: 0 (success)");

  // The wizard's run, the engine's own, into the same terminals gives the same machine.
  const TRun uninstall = RunWatched(cleanup_.AppFolder() + "\\Uninstall.exe", "/S");
  ASSERT_EQ(uninstall.ExitCode, 0);
  EXPECT_FALSE(uninstall.WindowSeen);
  EXPECT_TRUE(WaitFor([&] { return !PathExists(cleanup_.AppFolder()); }, 60));
  EXPECT_EQ(Snapshot(), before);
  {
    const TComApartment apartment;
    TXaInstall wizard;
    TProgressLog progress;
    LoadWholeInstaller(wizard, setup_);
    wizard.TerminalFolders = {program_files_terminal_, elsewhere_terminal_};
    wizard.OnProgress = RecordProgress(progress);
    RunInstall(wizard);
    EXPECT_EQ(Snapshot(), silent);
    // The silent log held every progress line, in order.
    auto at = log.begin();
    for (const auto& [message, percent] : progress) {
      at = std::find(at, log.end(), message);
      EXPECT_NE(at, log.end()) << message;
    }
  }
}

TEST_F(UnattendedTest, EachExitCodeComesFromItsCause) {
  struct TCase {
    const char* what;
    std::string arguments;
    int code;
    std::string last_but_one;
  };
  const std::string no_terminal = temp_.Path() + "\\Empty";
  ASSERT_TRUE(CreateDirectoryA(no_terminal.c_str(), nullptr));
  const TCase cases[] = {
      {"unknown option", "/S /QUIET", 1, "Unknown option: /QUIET"},
      {"named folder without terminal.exe", "/S /TERMINALS=\"" + no_terminal + "\"", 5,
       "The folder \"" + no_terminal + "\" holds no terminal.exe."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TRun run = RunWatched(setup_, c.arguments + " /LOG=\"" + log_ + "\"");
    EXPECT_EQ(run.ExitCode, c.code);
    EXPECT_FALSE(run.WindowSeen);
    const std::vector<std::string> log = LogLines();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], c.last_but_one);
    EXPECT_EQ(log.back().find("Exit code: " + std::to_string(c.code) + " ("), 0u);
  }
  EXPECT_FALSE(PathExists(cleanup_.AppFolder()));
  EXPECT_FALSE(PathExists(Expert(program_files_terminal_)));
}

// The logs in the temporary folder whose names start with `prefix`.
std::vector<std::string> TempLogs(const std::string& prefix) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  std::vector<std::string> logs;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((std::string(temp) + prefix + "*.log").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return logs;
  do
    logs.push_back(std::string(temp) + found.cFileName);
  while (FindNextFileA(find, &found));
  FindClose(find);
  return logs;
}

TEST_F(UnattendedTest, WithoutALogOptionTheLogGoesToTheTemporaryFolderNamedAfterTheProgram) {
  const std::string prefix = "Install - " + Name() + " ";
  for (const std::string& old : TempLogs(prefix))
    DeleteFileA(old.c_str());
  const TRun run = RunWatched(setup_, "/S /TERMINALS=\"" + elsewhere_terminal_ + "\"");
  EXPECT_EQ(run.ExitCode, 0);
  const std::vector<std::string> logs = TempLogs(prefix);
  ASSERT_EQ(logs.size(), 1u);
  // "Install - <program> yyyymmdd-hhmmss.log"
  EXPECT_EQ(logs[0].size() - logs[0].rfind(prefix), prefix.size() + 19);
  const std::vector<std::string> lines = Lines(ReadFileBytes(logs[0]));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "Exit code: 0 (success)");
  DeleteFileA(logs[0].c_str());
}

TEST_F(UnattendedTest, ACutInstallerEndsWithOneAndNoBox) {
  const std::string whole = ReadFileBytes(setup_);
  {
    std::ofstream file(setup_, std::ios::binary | std::ios::trunc);
    file.write(whole.data(), static_cast<std::streamsize>(whole.size() - 5));
  }
  const TRun run = RunWatched(setup_, "/S /LOG=\"" + log_ + "\"");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_FALSE(run.WindowSeen);
  const std::vector<std::string> log = LogLines();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2],
            "Error: The installer is damaged or incomplete. Please download it again.");
}

TEST_F(UnattendedTest, ARunningTerminalOrAnotherCopyWritesNothing) {
  {
    TTerminalDouble terminal;
    ASSERT_NE(terminal.WaitForWindow(30), nullptr);
    const TRun run = RunWatched(setup_, "/S /LOG=\"" + log_ + "\"");
    EXPECT_EQ(run.ExitCode, 4);
    EXPECT_FALSE(run.WindowSeen);
    EXPECT_EQ(LogLines().back(),
              "Exit code: 4 (a MetaTrader terminal is running, nothing written)");
    terminal.Close(30);
  }
  {
    const TScopedHandle mutex(CreateMutexW(nullptr, FALSE, L"Global\\XaSetup.Run"));
    const TRun run = RunWatched(setup_, "/PASSIVE /LOG=\"" + log_ + "\"");
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_FALSE(run.WindowSeen);
  }
  EXPECT_FALSE(PathExists(cleanup_.AppFolder()));
  EXPECT_FALSE(PathExists(Expert(program_files_terminal_)));
}

TEST_F(UnattendedTest, AFailedRunIsUndoneAndSaysSo) {
  // A folder where the expert must go in the data folder: the terminal's copy is made, the data
  // folder's fails, and the run is undone.
  ASSERT_TRUE(CreateDirectoryA(Expert(data_folder_).c_str(), nullptr));
  const TRun run =
      RunWatched(setup_, "/S /TERMINALS=\"" + elsewhere_terminal_ + "\" /LOG=\"" + log_ + "\"");
  EXPECT_EQ(run.ExitCode, 6);
  const std::vector<std::string> log = LogLines();
  EXPECT_NE(std::find(log.begin(), log.end(), kUndoingInstall), log.end()) << ReadFileBytes(log_);
  EXPECT_NE(std::find(log.begin(), log.end(), kInstallUndone), log.end());
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].find("Error: Cannot create file"), 0u);
  EXPECT_EQ(log.back(), "Exit code: 6 (the run failed and was undone)");
  EXPECT_FALSE(PathExists(cleanup_.AppFolder()));
  EXPECT_FALSE(PathExists(Expert(elsewhere_terminal_)));
}

TEST_F(UnattendedTest, PassiveShowsOnlyTheProgressAndClosesItself) {
  const TRun run = RunWatched(
      setup_, "/passive /terminals=\"" + program_files_terminal_ + "\" -LOG=\"" + log_ + "\"");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(run.WindowSeen);
  EXPECT_EQ(ReadFileBytes(Expert(program_files_terminal_)), "expert source");
  EXPECT_FALSE(PathExists(Expert(elsewhere_terminal_)));
  EXPECT_EQ(LogLines().back(), "Exit code: 0 (success)");
  const TRun uninstall = RunWatched(cleanup_.AppFolder() + "\\Uninstall.exe", "/PASSIVE");
  EXPECT_EQ(uninstall.ExitCode, 0);
  EXPECT_TRUE(WaitFor([&] { return !PathExists(cleanup_.AppFolder()); }, 60));
  EXPECT_FALSE(PathExists(Expert(program_files_terminal_)));
}

}  // namespace
}  // namespace xa
