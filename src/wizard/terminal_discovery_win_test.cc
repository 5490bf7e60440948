#include "wizard/terminal_discovery_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/terminal.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "linklabel/ansi.h"
#include "shell/scoped_find_handle.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"
#include "wizard/wizard_messages.h"

namespace xa {
namespace {

bool MakeFile(const std::string& path) {
  TScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsValid();
}

// The names in `folder` in the order the file system lists them.
std::vector<std::string> ListedNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  TScopedFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (!find.IsValid())
    return names;
  do {
    names.push_back(entry.cFileName);
  } while (FindNextFileA(find.Get(), &entry));
  return names;
}

// `text` cut at every carriage return; a line feed anywhere makes a line of its own.
std::vector<std::u16string> Lines(const std::u16string& text) {
  std::vector<std::u16string> lines(1);
  for (char16_t c : text) {
    if (c == u'\r' || c == u'\n')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

class TerminalDiscoveryTest : public testing::Test {
 protected:
  // Creates the folder root\name, with a terminal.exe file in it when `with_terminal`.
  std::string AddFolder(const std::string& name, bool with_terminal) {
    const std::string folder = root_.Path() + "\\" + name;
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    if (with_terminal) {
      EXPECT_TRUE(MakeFile(folder + "\\" + kTerminalExeName)) << folder;
    }
    return folder;
  }

  // Sets `attribute` on `path`; false when the file system does not keep it.
  static bool SetAttribute(const std::string& path, DWORD attribute) {
    SetFileAttributesA(path.c_str(), attribute);
    const DWORD kept = GetFileAttributesA(path.c_str());
    return kept != INVALID_FILE_ATTRIBUTES && (kept & attribute);
  }

  TTempFolder root_{"discovery"};
};

TEST_F(TerminalDiscoveryTest, FindsTheFoldersWithATerminalInListingOrder) {
  AddFolder("Alpha Terminal", true);
  AddFolder("Beta Tools", false);
  AddFolder("Gamma Terminal", true);
  std::vector<std::string> expected;
  for (const std::string& name : ListedNames(root_.Path())) {
    if (name.find("Terminal") != std::string::npos)
      expected.push_back(root_.Path() + "\\" + name);
  }
  ASSERT_EQ(expected.size(), 2u);
  EXPECT_EQ(FindTerminalFolders(root_.Path()), expected);
}

TEST_F(TerminalDiscoveryTest, PassesOverAHiddenFolder) {
  const std::string hidden = AddFolder("Hidden", true);
  ASSERT_TRUE(SetAttribute(hidden, FILE_ATTRIBUTE_HIDDEN));
  const std::string shown = AddFolder("Shown", true);
  EXPECT_EQ(FindTerminalFolders(root_.Path()), std::vector<std::string>{shown});
}

TEST_F(TerminalDiscoveryTest, PassesOverASystemFolder) {
  const std::string system = AddFolder("System", true);
  ASSERT_TRUE(SetAttribute(system, FILE_ATTRIBUTE_SYSTEM));
  EXPECT_TRUE(FindTerminalFolders(root_.Path()).empty());
}

TEST_F(TerminalDiscoveryTest, LooksOnlyAtImmediateSubFolders) {
  const std::string outer = AddFolder("Outer", false);
  ASSERT_TRUE(CreateDirectoryA((outer + "\\Inner").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(outer + "\\Inner\\" + kTerminalExeName));
  EXPECT_TRUE(FindTerminalFolders(root_.Path()).empty());
}

TEST_F(TerminalDiscoveryTest, ATerminalExeFolderIsNoTerminal) {
  const std::string folder = AddFolder("Fake", false);
  ASSERT_TRUE(CreateDirectoryA((folder + "\\" + kTerminalExeName).c_str(), nullptr));
  EXPECT_FALSE(TerminalExeExists(folder));
  EXPECT_TRUE(FindTerminalFolders(root_.Path()).empty());
}

TEST_F(TerminalDiscoveryTest, PassesOverFiles) {
  ASSERT_TRUE(MakeFile(root_.Path() + "\\MetaTrader 4"));
  ASSERT_TRUE(MakeFile(root_.Path() + "\\" + kTerminalExeName));
  EXPECT_TRUE(FindTerminalFolders(root_.Path()).empty());
}

// A name the ANSI code page cannot hold would reach the install as another path ("?" for the
// character, or a look-alike that may name a different folder): such folders are passed over.
TEST_F(TerminalDiscoveryTest, PassesOverNamesTheCodePageCannotHold) {
  const std::string plain = AddFolder("Terminala", true);
  std::vector<std::wstring> made;  // removed here: the temporary folder's cleanup reads 8-bit names
  for (const std::u16string name : {u"\u4e2d\u6587", u"Terminal\u0101"}) {
    const std::u16string folder16 = AnsiToUtf16(root_.Path()) + u"\\" + name;
    const std::wstring folder(folder16.begin(), folder16.end());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    made.push_back(folder);
    TScopedHandle file(CreateFileW((folder + L"\\terminal.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.IsValid());
  }
  EXPECT_EQ(FindTerminalFolders(root_.Path()), std::vector<std::string>{plain});
  for (const std::wstring& folder : made) {
    EXPECT_TRUE(DeleteFileW((folder + L"\\terminal.exe").c_str()));
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
  }
}

TEST_F(TerminalDiscoveryTest, AMissingRootGivesNothing) {
  EXPECT_TRUE(FindTerminalFolders(root_.Path() + "\\missing").empty());
}

TEST_F(TerminalDiscoveryTest, TerminalExeExistsOnlyForAFile) {
  const std::string with = AddFolder("With", true);
  const std::string without = AddFolder("Without", false);
  EXPECT_TRUE(TerminalExeExists(with));
  EXPECT_FALSE(TerminalExeExists(without));
  EXPECT_FALSE(TerminalExeExists(root_.Path() + "\\missing"));
}

TEST(DefaultTerminalFolderTest, IsMetaTrader4BelowTheRoot) {
  EXPECT_EQ(DefaultTerminalFolder("C:\\Program Files"), "C:\\Program Files\\MetaTrader 4");
  EXPECT_EQ(DefaultTerminalFolder(""), "\\MetaTrader 4");
}

TEST(WizardMessagesTest, JoinLinesWithASingleCarriageReturn) {
  EXPECT_EQ(Lines(kNoTerminalWarning),
            (std::vector<std::u16string>{
                u"We cannot find any MetaTrader folder in this computer.",
                u"We add a default folder so you can continue with the installation,",
                u"and install MetaTrader later."}));
  EXPECT_EQ(
      Lines(kTerminalRunningError),
      (std::vector<std::u16string>{u"The wizard detect a MetaTrader program currently running.",
                                   u"Please close the program and then click OK to continue."}));
}

TEST(TerminalRunningTest, FollowsTheTerminalWindow) {
  EXPECT_FALSE(IsTerminalRunning());
  TTerminalDouble terminal;
  ASSERT_TRUE(terminal.Started());
  EXPECT_TRUE(WaitFor(IsTerminalRunning, 30));
  ASSERT_EQ(terminal.Close(30), 0);
  EXPECT_FALSE(IsTerminalRunning());
}

}  // namespace
}  // namespace xa
