// Walks the wizard of an installer as a person would, from outside its process: installs into a
// terminal folder of its own below Program Files and one elsewhere, found only through its data
// folder, each with a data folder of the user; runs the Uninstall.exe the install leaves, and
// checks the files (in the terminal and data folders), shortcuts and registry entry after each.
// Saves a PNG picture of every page.
//
// Usage: wizard_walk SETUP.exe PACKAGE_FOLDER TERMINAL.exe SCREENSHOT_FOLDER
// Prints the path of every picture; exit code 0 when every check held, 1 otherwise.

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/walk/png_capture_win.h"
#include "app/walk/sample_expectations.h"
#include "app/walk/window_driver_win.h"
#include "engine/data_folders.h"
#include "engine/terminal.h"
#include "engine/testing/data_folder_double.h"
#include "engine/testing/win_test_support.h"
#include "linklabel/ansi.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

constexpr int kPageSeconds = 60;

void Expect(bool holds, const std::string& what) {
  if (!holds)
    throw std::runtime_error(what);
}

std::string SpecialFolder(int id) {
  char path[MAX_PATH] = {};
  Expect(SUCCEEDED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)),
         "a special folder is unknown");
  return path;
}

// The folders of one walk and where its pictures go.
struct TWalk {
  std::string Setup, Package, TerminalProgram, Shots;
  std::string Terminal = SpecialFolder(CSIDL_PROGRAM_FILES) + "\\MetaTrader 4 Walk";
  // A terminal outside Program Files, as brokers' installers often place them.
  std::string Elsewhere = SpecialFolder(CSIDL_WINDOWS).substr(0, 2) + "\\Brokers Walk\\Alpha MT4";
  // The data folders of the two terminals, where terminals from build 600 on read MQL4 files.
  std::string DataRoot = SpecialFolder(CSIDL_APPDATA) + "\\" + kDataFoldersPath;
  std::string TerminalData = DataRoot + "\\A0B1C2D3E4F5A6B7C8D9E0F1A2B3C4D5";
  std::string ElsewhereData = DataRoot + "\\5D4C3B2A1F0E9D8C7B6A5F4E3D2C1B0A";
  std::string App = SpecialFolder(CSIDL_PROGRAM_FILES) + "\\" + kSampleName;
  std::string Menu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\" + kSampleName;
  int Shot = 0;

  std::string Installed(const TInstalledFile& file) const {
    return (file.Root == TInstalledRoot::kTerminal ? Terminal : App) + "\\" + file.Path;
  }

  // Every place the file goes: for a terminal file each terminal and data folder.
  std::vector<std::string> Copies(const TInstalledFile& file) const {
    if (file.Root == TInstalledRoot::kApp)
      return {App + "\\" + file.Path};
    std::vector<std::string> copies;
    for (const std::string& folder : {Terminal, TerminalData, Elsewhere, ElsewhereData})
      copies.push_back(folder + "\\" + file.Path);
    return copies;
  }
};

// Waits for the page of `form`, the wizard of `wizard`, whose visible static text is `marker`
// (and for `ready`), then pictures it as `name`.
void OnPage(
    TWalk& walk,
    TDrivenProgram& wizard,
    HWND form,
    const std::u16string& marker,
    const std::string& name,
    const std::function<bool()>& ready = [] { return true; }) {
  wizard.Await([&] { return FindControl(form, u"STATIC", marker) != nullptr && ready(); },
               "the page \"" + Utf16ToAnsi(marker) + "\"", kPageSeconds);
  Settle(form);
  const std::string path = walk.Shots + "\\" + std::to_string(++walk.Shot) + "-" + name + ".png";
  SaveWindowPng(form, path);
  std::printf("screenshot: %s\n", path.c_str());
}

HWND Button(HWND form, const std::u16string& caption) {
  return RequireControl(form, u"BUTTON", caption);
}

// True once a run has ended: its bar full and Next enabled.
std::function<bool()> RunEnded(HWND form, HWND next) {
  return [form, next] {
    HWND bar = FindControl(form, u"msctls_progress32");
    return bar != nullptr && IsWindowEnabled(next) && SendMessageW(bar, PBM_GETPOS, 0, 0) == 100;
  };
}

// The progress list shows `line`.
void ExpectProgressLine(HWND form, const std::string& line) {
  const std::string lines = Utf16ToAnsi(TextOf(RequireControl(form, u"EDIT", u"")));
  Expect(lines.find(line + "\r\n") != std::string::npos || lines.ends_with(line),
         "the progress list lacks \"" + line + "\"");
}

// The folder page lists `folder`, checked.
void CheckFolderListed(HWND form, const std::string& folder) {
  HWND list = RequireControl(form, u"LISTBOX", u"");
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::u16string line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, u'\0');
    line.resize(static_cast<size_t>(
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    if (Utf16ToAnsi(line) == folder) {
      Expect(SendMessageW(list, LB_GETITEMDATA, i, 0) == 1, "not checked: " + folder);
      return;
    }
  }
  throw std::runtime_error("the folder page does not list " + folder);
}

// The summary names both terminals, each with its data folder under it.
void CheckSummary(const TWalk& walk, HWND form) {
  const std::string summary = Utf16ToAnsi(TextOf(RequireControl(form, u"EDIT", u"")));
  for (const auto& [terminal, data] : {std::pair{walk.Terminal, walk.TerminalData},
                                       std::pair{walk.Elsewhere, walk.ElsewhereData}}) {
    const std::string name = data.substr(data.rfind('\\') + 1);
    Expect(summary.find(terminal +
                        "\r\n            and its data folder in %APPDATA%\\MetaQuotes\\Terminal"
                        "\r\n            " +
                        name + "\r\n") != std::string::npos,
           "the summary names " + terminal + " and its data folder");
  }
}

// The wizard form of `program` in the role `role` ("Install", "Uninstall"), on its welcome page,
// pictured as `shot`.
HWND OnWelcomePage(TWalk& walk,
                   TDrivenProgram& program,
                   const std::u16string& role,
                   const std::string& shot) {
  HWND form = program.WaitForWindow("TFormInstaller", "the wizard's form", kPageSeconds);
  Expect(TextOf(form) == role + u" - " + AnsiToUtf16(kSampleName), "the form's title");
  OnPage(walk, program, form,
         u"Welcome to the " + std::u16string(kSampleVersion) + u" " + role + u"ation Wizard", shot);
  return form;
}

void WalkInstall(TWalk& walk) {
  TDrivenProgram setup("\"" + walk.Setup + "\"");
  HWND form = OnWelcomePage(walk, setup, u"Install", "install-welcome");
  HWND next = Button(form, u"Next >>");
  Press(next);
  OnPage(walk, setup, form, u"Information", "install-information");
  Expect(TextOf(RequireControl(form, u"RichEdit20W", u"")).find(u"Sample Trend") !=
             std::u16string::npos,
         "the information page shows the readme");
  Press(next);
  OnPage(walk, setup, form, u"License Agreement", "install-license");
  Expect(!IsWindowEnabled(next), "Next is enabled before the licence is accepted");
  Press(Button(form, u"I accept the agreement"));
  setup.Await([&] { return IsWindowEnabled(next) != FALSE; }, "Next after accepting the licence",
              kPageSeconds);
  Press(next);
  OnPage(walk, setup, form, u"Select Destination Folder", "install-folders");
  CheckFolderListed(form, walk.Terminal);
  CheckFolderListed(form, walk.Elsewhere);
  Press(next);
  OnPage(walk, setup, form, u"Ready to Install", "install-ready");
  CheckSummary(walk, form);
  Press(next);
  OnPage(walk, setup, form, u"Installation in Progress", "install-progress", RunEnded(form, next));
  for (const std::string& copy : walk.Copies(kSampleFiles[0]))
    ExpectProgressLine(form, "Copying file " + copy + " ...");
  Press(next);
  OnPage(walk, setup, form, u"What's New", "install-whats-new");
  Press(next);
  OnPage(walk, setup, form, u"Installation Complete", "install-finish");
  HWND run = Button(form, u"Run this MetaTrader application after install.");
  Expect(SendMessageW(run, BM_GETCHECK, 0, 0) == BST_CHECKED, "the run offer is checked");
  Expect(Utf16ToAnsi(TextOf(RequireControl(form, u"COMBOBOX", u""))) == walk.Terminal,
         "the run offer names the terminal");
  Press(Button(form, u"Finish"));
  Expect(setup.WaitForExit(kPageSeconds) == 0, "the installer's exit code");
}

// The terminal the finish page started: its window appears; the walk closes it again.
void CloseStartedTerminal() {
  HWND terminal = nullptr;
  Await([&] { return (terminal = FindWindowA(kTerminalWindowClass, nullptr)) != nullptr; },
        "the terminal started on Finish", kPageSeconds);
  PostMessageA(terminal, WM_CLOSE, 0, 0);
  Await([] { return FindWindowA(kTerminalWindowClass, nullptr) == nullptr; },
        "the terminal to close", kPageSeconds);
}

void CheckInstalled(const TWalk& walk) {
  for (const TInstalledFile& file : kSampleFiles) {
    for (const std::string& path : walk.Copies(file)) {
      Expect(PathExists(path), "missing after install: " + path);
      if (file.Source != nullptr) {
        Expect(ReadFileBytes(path) == ReadFileBytes(walk.Package + "\\" + file.Source),
               "not the package's bytes: " + path);
      }
    }
  }
  for (const char* entry : kSampleMenuEntries)
    Expect(PathExists(walk.Menu + "\\" + entry),
           "missing after install: " + walk.Menu + "\\" + entry);
  Expect(MachineKeyExists(kSampleUninstallKey), "the uninstall entry is missing");
}

void WalkUninstall(TWalk& walk) {
  TDrivenProgram uninstall("\"" + walk.App + "\\Uninstall.exe\"");
  HWND form = OnWelcomePage(walk, uninstall, u"Uninstall", "uninstall-welcome");
  HWND next = Button(form, u"Next >>");
  Press(next);
  OnPage(walk, uninstall, form, u"Uninstallation in Progress", "uninstall-progress",
         RunEnded(form, next));
  ExpectProgressLine(form, "Delete file " + walk.Installed(kSampleFiles[0]) + " ...");
  Press(next);
  OnPage(walk, uninstall, form, u"Uninstallation Complete", "uninstall-finish");
  Press(Button(form, u"Finish"));
  Expect(uninstall.WaitForExit(kPageSeconds) == 0, "the uninstaller's exit code");
}

void CheckRemoved(const TWalk& walk) {
  Await([&] { return !PathExists(walk.App); }, "the uninstaller to remove itself and its folder",
        kPageSeconds);
  for (const TInstalledFile& file : kSampleFiles) {
    for (const std::string& path : walk.Copies(file))
      Expect(!PathExists(path), "left after uninstall: " + path);
  }
  // The data folders keep what the terminals made in them.
  for (const std::string& data : {walk.TerminalData, walk.ElsewhereData})
    Expect(PathExists(data + "\\MQL4\\Indicators"), "removed by the uninstall: " + data);
  Expect(!PathExists(walk.Menu), "left after uninstall: " + walk.Menu);
  Expect(!MachineKeyExists(kSampleUninstallKey), "the uninstall entry is left");
}

// A terminal installation in `folder` and its data folder `data`, as the terminal leaves them
// on its first start: origin.txt naming the installation, the MQL4 folders, a config folder.
void MakeTerminal(const TWalk& walk, const std::string& folder, const std::string& data) {
  std::filesystem::create_directories(folder);
  Expect(CopyFileA(walk.TerminalProgram.c_str(), (folder + "\\terminal.exe").c_str(), FALSE),
         "cannot copy the terminal program");
  for (const char* sub : {"MQL4\\Experts", "MQL4\\Indicators", "MQL4\\Scripts", "config"})
    std::filesystem::create_directories(data + "\\" + sub);
  const std::string origin = OriginFileBytes(folder);
  FILE* file = std::fopen((data + "\\" + kOriginFileName).c_str(), "wb");
  Expect(file != nullptr, "cannot write " + data + "\\" + kOriginFileName);
  std::fwrite(origin.data(), 1, origin.size(), file);
  std::fclose(file);
}

void Walk(TWalk& walk) {
  const std::string brokers = walk.Elsewhere.substr(0, walk.Elsewhere.rfind('\\'));
  const std::vector<std::string> made = {walk.Terminal, brokers, walk.TerminalData,
                                         walk.ElsewhereData};
  // What an earlier walk that failed half-way left behind.
  for (const std::string& folder : made)
    std::filesystem::remove_all(folder);
  for (const std::string& folder : {walk.App, walk.Menu})
    std::filesystem::remove_all(folder);
  MakeTerminal(walk, walk.Terminal, walk.TerminalData);
  MakeTerminal(walk, walk.Elsewhere, walk.ElsewhereData);
  std::filesystem::create_directories(walk.Shots);
  WalkInstall(walk);
  CloseStartedTerminal();
  CheckInstalled(walk);
  WalkUninstall(walk);
  CheckRemoved(walk);
  for (const std::string& folder : made)
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace xa

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: wizard_walk SETUP.exe PACKAGE_FOLDER TERMINAL.exe SHOTS\n");
    return 2;
  }
  xa::TWalk walk{argv[1], argv[2], argv[3], argv[4]};
  try {
    xa::Walk(walk);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wizard_walk: FAILED: %s\n", error.what());
    return 1;
  }
  std::printf("wizard_walk: install and uninstall passed\n");
  return 0;
}
