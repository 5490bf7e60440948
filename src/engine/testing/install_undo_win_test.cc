#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/install_rules.h"
#include "engine/install_run.h"
#include "engine/settings_override.h"
#include "engine/testing/data_folder_double.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/machine_snapshot.h"
#include "engine/testing/win_test_support.h"
#include "package/errors.h"
#include "shell/com_apartment.h"
#include "shell/record_writers.h"
#include "shell/registry_key.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Undo Test " + std::to_string(GetCurrentProcessId());
}

// Gives `path` old times, as a file that has lain there a while.
void Age(const std::string& path, uint32_t seed) {
  TScopedHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  const FILETIME created{0x10000000 + seed, 0x01D40000};
  const FILETIME written{0x20000000 + seed, 0x01D50000};
  EXPECT_TRUE(SetFileTime(file.Get(), &created, &written, &written)) << path;
}

void WriteAgedFile(const std::string& path, const std::string& bytes, uint32_t seed) {
  WriteTextFile(path, bytes);
  Age(path, seed);
}

// A folder standing where a file must go, so that writing the file fails.
void BlockWithFolder(const std::string& path) {
  DeleteFileA(path.c_str());
  EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

// Where the failure is injected.
enum class TStep { kFile, kSettings, kDocument, kInternetShortcut, kUninstaller, kRegistry, kDone };

struct TUndoCase {
  const char* what;
  TStep step;
  bool over_earlier_version;
};

class InstallUndoTest : public testing::TestWithParam<TUndoCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTwoTerminalDoubles(root_.Path(), &terminal_a_, &terminal_b_));
    // Terminal A already holds the trader's own e.ex4 and settings longer than the record.
    ASSERT_TRUE(CreateDirectoryA((terminal_a_ + "\\MQL4").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((terminal_a_ + "\\MQL4\\Experts").c_str(), nullptr));
    WriteAgedFile(terminal_a_ + "\\MQL4\\Experts\\e.ex4", "the trader's own e.ex4", 1);
    ASSERT_TRUE(CreateDirectoryA((terminal_a_ + "\\config").c_str(), nullptr));
    WriteAgedFile(ExpertsIniPath(terminal_a_), std::string(kExpertsRecordSize, '\x22') + "tail", 2);
    program_ = GetParam().step == TStep::kRegistry ? Name() + "\\Sub" : Name();
  }

  // The package of version `major`: version 1 has files that version 2 drops, version 2 files
  // that version 1 did not have.
  void Build(int major, const std::string& installer) {
    TXaInstall package;
    package.ProgramName = program_;
    package.VersionMajor = major;
    package.Publisher = "XA Tests";
    package.Website = "example.com";
    package.ContactEmail = "ann@example.com";
    package.ReadmeText = "{\\rtf1 readme " + std::to_string(major) + "}";
    package.LicenseText = "{\\rtf1 licence}";
    package.SettingsOverride = "1 0 1";
    std::vector<std::string> contents;
    const auto add = [&](const std::string& target, const std::string& shortcut) {
      TXaInstallFile& file = package.AddFile();
      file.TargetPath = target;
      file.ShortcutName = shortcut;
      file.CreationTime = 0x01D6000000000000ull + major;
      file.LastWriteTime = 0x01D7000000000000ull + major;
      contents.push_back(target + " of version " + std::to_string(major));
    };
    add("{app}\\tool.txt", "Tool");
    add("{metatrader}\\MQL4\\Experts\\e.ex4", "");
    if (major == 1) {
      add("{app}\\Old\\old.txt", "");
      add("{metatrader}\\MQL4\\Scripts\\old.ex4", "Old Script");
    } else {
      add("{app}\\Docs\\Deep\\manual.txt", "Docs\\Manual");
      add("{metatrader}\\MQL4\\Indicators\\i.ex4", "Indicator");
      package.WhatsNewText = "{\\rtf1 new}";
    }
    BuildInstaller(package, contents, installer);
  }

  // Runs the installer; returns the error it raised, "" for none.
  std::string Run(const std::string& installer, const ProgressCallback& progress) {
    TXaInstall install;
    install.LoadFromFile(installer);
    install.TerminalFolders = {terminal_a_, terminal_b_};
    install.OnProgress = progress;
    try {
      RunInstall(install);
    } catch (const Exception& error) {
      return error.what();
    }
    return {};
  }

  // Puts the obstacle of `step` in place; returns how the run's error begins.
  std::string Obstruct(TStep step) {
    const std::string app = cleanup_.AppFolder() + (program_ == Name() ? "" : "\\Sub");
    const std::string menu = cleanup_.MenuFolder() + (program_ == Name() ? "" : "\\Sub");
    std::string blocked;
    switch (step) {
      case TStep::kFile:
        ForFolders(terminal_b_ + "\\MQL4\\Indicators");
        blocked = terminal_b_ + "\\MQL4\\Indicators\\i.ex4";
        break;
      case TStep::kSettings:
        ForFolders(terminal_b_ + "\\config");
        blocked = ExpertsIniPath(terminal_b_);
        break;
      case TStep::kDocument:
        ForFolders(app);
        blocked = app + "\\License.rtf";
        break;
      case TStep::kInternetShortcut:
        ForFolders(menu);
        blocked = menu + "\\Contact Email.url";
        break;
      case TStep::kUninstaller:
        ForFolders(app);
        blocked = app + "\\Uninstall.exe";
        break;
      case TStep::kRegistry: {
        // A volatile key takes no lasting subkey, so the entry below it cannot be created.
        DeleteKeyTree(HKEY_LOCAL_MACHINE, cleanup_.KeyPath());
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, cleanup_.KeyPath().c_str(), 0, nullptr,
                                  REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        return "Failed to set data for 'DisplayName'";
      }
      case TStep::kDone:
        return kInjected;
    }
    BlockWithFolder(blocked);
    return "Cannot create file \"" + blocked + "\". ";
  }

  static void ForFolders(const std::string& folder) {
    for (size_t end = folder.find('\\', 3);; end = folder.find('\\', end + 1)) {
      CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
      if (end == std::string::npos)
        return;
    }
  }

  std::vector<std::string> Snapshot() {
    std::vector<std::string> lines =
        SnapshotFolders({terminal_a_, terminal_b_, cleanup_.AppFolder(), cleanup_.MenuFolder()},
                        CreationTimeIsKept(root_.Path()));
    const std::vector<std::string> keys = SnapshotMachineKey(cleanup_.KeyPath());
    lines.insert(lines.end(), keys.begin(), keys.end());
    return lines;
  }

  static constexpr char kInjected[] = "injected at Done.";

  TComApartment apartment_;
  TTempFolder root_{"undo"};
  TInstallCleanup cleanup_{Name()};
  std::string terminal_a_;
  std::string terminal_b_;
  std::string program_;
};

TEST_P(InstallUndoTest, AFailedRunLeavesTheMachineAsItWas) {
  const TUndoCase& c = GetParam();
  if (c.over_earlier_version) {
    Build(1, root_.Path() + "\\setup1.exe");
    ASSERT_EQ(Run(root_.Path() + "\\setup1.exe", nullptr), "");
  }
  const std::string error_start = Obstruct(c.step);
  Build(2, root_.Path() + "\\setup2.exe");
  const std::vector<std::string> before = Snapshot();
  TProgressLog log;
  ProgressCallback record = RecordProgress(log);
  const std::string error = Run(root_.Path() + "\\setup2.exe",
                                [&](TXaData& sender, const std::string& message, int32_t percent) {
                                  record(sender, message, percent);
                                  if (c.step == TStep::kDone && message == "Done.")
                                    throw Exception(kInjected);
                                });
  EXPECT_EQ(error.rfind(error_start, 0), 0u) << error;
  EXPECT_EQ(Snapshot(), before);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].first, kUndoingInstall);
  EXPECT_EQ(log.back().first, kInstallUndone);
  EXPECT_EQ(log.back().second, log[log.size() - 3].second) << "the undo takes no step";
}

INSTANTIATE_TEST_SUITE_P(
    EveryStepKind,
    InstallUndoTest,
    testing::Values(TUndoCase{"File", TStep::kFile, false},
                    TUndoCase{"FileOverEarlier", TStep::kFile, true},
                    TUndoCase{"Settings", TStep::kSettings, false},
                    TUndoCase{"SettingsOverEarlier", TStep::kSettings, true},
                    TUndoCase{"Document", TStep::kDocument, false},
                    TUndoCase{"DocumentOverEarlier", TStep::kDocument, true},
                    TUndoCase{"InternetShortcut", TStep::kInternetShortcut, false},
                    TUndoCase{"InternetShortcutOverEarlier", TStep::kInternetShortcut, true},
                    TUndoCase{"Uninstaller", TStep::kUninstaller, false},
                    TUndoCase{"UninstallerOverEarlier", TStep::kUninstaller, true},
                    TUndoCase{"Registry", TStep::kRegistry, false},
                    TUndoCase{"RegistryOverEarlier", TStep::kRegistry, true},
                    TUndoCase{"Done", TStep::kDone, false},
                    TUndoCase{"DoneOverEarlier", TStep::kDone, true}),
    [](const testing::TestParamInfo<TUndoCase>& info) { return info.param.what; });

// Where a failure stops an install into terminals with data folders.
struct TDataFolderUndoCase {
  const char* what;
  const char* blocked;  // below the program folder, or below data folder B when it starts "B"
  bool over_earlier_version;
};

// Terminal A's data folder holds the trader's own files and a settings record with a tail;
// terminal B's has no settings yet, so the override creates its file and folder.
class DataFolderUndoTest : public testing::TestWithParam<TDataFolderUndoCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTwoTerminalDoubles(root_.Path(), &terminal_a_, &terminal_b_));
    data_a_ = doubles_.MakeFor(terminal_a_);
    data_b_ = doubles_.MakeFor(terminal_b_);
    ASSERT_TRUE(RemoveDirectoryA((data_b_ + "\\config").c_str()));
    WriteAgedFile(data_a_ + "\\MQL4\\Experts\\e.ex4", "the trader's own e.ex4", 3);
    WriteAgedFile(data_a_ + "\\MQL4\\Experts\\Own.ex4", "the terminal's own", 4);
    std::string settings;
    for (size_t i = 0; i < kExpertsRecordSize; ++i)
      settings += static_cast<char>(0x40 + i % 50);
    settings += "https://example.com/allowed\nhttps://example.org/too";
    WriteAgedFile(ExpertsIniPath(data_a_), settings, 5);
  }

  // Version `major` of the package, into installer`major`.exe; returns the installer's path.
  std::string Build(int major) {
    const std::string installer = root_.Path() + "\\setup" + std::to_string(major) + ".exe";
    TXaInstall package;
    package.ProgramName = Name();
    package.VersionMajor = major;
    package.LicenseText = "{\\rtf1 licence}";
    package.SettingsOverride = "1 0 1";
    std::vector<std::string> contents;
    for (const char* target : {"{app}\\tool.txt", "{metatrader}\\MQL4\\Experts\\e.ex4",
                               "{metatrader}\\MQL4\\Indicators\\Sub\\i.ex4"}) {
      TXaInstallFile& file = package.AddFile();
      file.TargetPath = target;
      file.CreationTime = 0x01D6000000000000ull + major;
      file.LastWriteTime = 0x01D7000000000000ull + major;
      contents.push_back(std::string(target) + " of version " + std::to_string(major));
    }
    BuildInstaller(package, contents, installer);
    return installer;
  }

  // Runs `installer` into both terminals; returns the error it raised, "" for none.
  std::string Run(const std::string& installer, TProgressLog& log) {
    TXaInstall install;
    install.LoadFromFile(installer);
    install.TerminalFolders = {terminal_a_, terminal_b_};
    install.OnProgress = RecordProgress(log);
    try {
      RunInstall(install);
    } catch (const Exception& error) {
      return error.what();
    }
    return {};
  }

  std::vector<std::string> Snapshot() {
    std::vector<std::string> lines = SnapshotFolders(
        {terminal_a_, terminal_b_, data_a_, data_b_, cleanup_.AppFolder(), cleanup_.MenuFolder()},
        CreationTimeIsKept(root_.Path()));
    const std::vector<std::string> keys = SnapshotMachineKey(cleanup_.KeyPath());
    lines.insert(lines.end(), keys.begin(), keys.end());
    return lines;
  }

  TComApartment apartment_;
  TTempFolder root_{"undodata"};
  TDataFolderDoubles doubles_;
  TInstallCleanup cleanup_{Name()};
  std::string terminal_a_, terminal_b_, data_a_, data_b_;
};

TEST_P(DataFolderUndoTest, AFailedRunLeavesTheDataFoldersAsTheyWere) {
  const TDataFolderUndoCase& c = GetParam();
  TProgressLog log;
  if (c.over_earlier_version) {
    ASSERT_EQ(Run(Build(1), log), "");
    log.clear();
  }
  const std::string blocked =
      c.blocked[0] == 'B' ? data_b_ + (c.blocked + 1) : cleanup_.AppFolder() + c.blocked;
  for (size_t end = blocked.find('\\', 3); end != std::string::npos;
       end = blocked.find('\\', end + 1))
    CreateDirectoryA(blocked.substr(0, end).c_str(), nullptr);
  BlockWithFolder(blocked);
  const std::string installer = Build(2);
  const std::vector<std::string> before = Snapshot();
  const std::string error = Run(installer, log);
  EXPECT_EQ(error.rfind("Cannot create file \"" + blocked + "\". ", 0), 0u) << error;
  EXPECT_EQ(Snapshot(), before);
  // The run got as far as the data folders' copies and settings before it failed.
  const auto reported = [&log](const std::string& message) {
    return std::any_of(log.begin(), log.end(),
                       [&](const auto& entry) { return entry.first == message; });
  };
  for (const std::string& data_folder : {data_a_, data_b_}) {
    EXPECT_TRUE(reported("Copying file " + data_folder + "\\MQL4\\Indicators\\Sub\\i.ex4 ..."));
    EXPECT_TRUE(reported("Overriding MetaTrader settings in " + data_folder + " ..."));
  }
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().first, kInstallUndone);
}

INSTANTIATE_TEST_SUITE_P(
    AfterTheDataFolders,
    DataFolderUndoTest,
    testing::Values(TDataFolderUndoCase{"DataFolderSettings", "B\\config\\experts.ini", false},
                    TDataFolderUndoCase{"DataFolderSettingsOverEarlier", "B\\config\\experts.ini",
                                        true},
                    TDataFolderUndoCase{"Document", "\\License.rtf", false},
                    TDataFolderUndoCase{"DocumentOverEarlier", "\\License.rtf", true},
                    TDataFolderUndoCase{"Uninstaller", "\\Uninstall.exe", false}),
    [](const testing::TestParamInfo<TDataFolderUndoCase>& info) { return info.param.what; });

}  // namespace
}  // namespace xa
