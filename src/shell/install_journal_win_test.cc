#include "shell/install_journal.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "package/errors.h"
#include "shell/journal_paths.h"
#include "shell/record_writers.h"
#include "shell/registry_key.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

struct TFileState {
  bool Exists = false;
  std::string Bytes;
  DWORD Attributes = 0;
  uint64_t Written = 0;
  uint64_t Size = 0;

  bool operator==(const TFileState&) const = default;
};

TFileState StateOf(const std::string& path) {
  TFileState state;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return state;
  state.Exists = true;
  state.Bytes = ReadFileBytes(path);
  state.Attributes = data.dwFileAttributes;
  state.Written =
      (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  state.Size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return state;
}

// Gives `path` a last-write time far from now, so that a rewrite shows.
void SetOldTime(const std::string& path) {
  TScopedHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.IsValid()) << path;
  const FILETIME old{0x11112222, 0x01D00000};
  ASSERT_TRUE(SetFileTime(file.Get(), &old, &old, &old));
}

// The names in `folder`, "." and ".." left out.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

class InstallJournalTest : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path() + "\\" + name; }

  TTempFolder folder_{"journal"};
  TInstallJournal journal_;
};

TEST_F(InstallJournalTest, RollbackPutsReplacedFilesBackAndRemovesNewOnes) {
  WriteTextFile(Path("old.txt"), "earlier bytes");
  SetOldTime(Path("old.txt"));
  const TFileState before = StateOf(Path("old.txt"));
  EXPECT_TRUE(journal_.CreateFolders(Path("New\\Deep")) ==
              (std::vector<std::string>{Path("New\\Deep"), Path("New")}));
  for (const char* name : {"old.txt", "New\\Deep\\new.txt"}) {
    journal_.KeepFile(Path(name));
    WriteTextFile(Path(name), "written by the run");
  }
  // The earlier version waits beside the file, hidden, under a name of its own.
  EXPECT_EQ(Names(folder_.Path()).size(), 3u);
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_EQ(StateOf(Path("old.txt")), before);
  EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{"old.txt"});
  EXPECT_TRUE(journal_.Empty());
}

// Creating a target notes it as KeepFile does, whether it is new, replaces a file or is written
// twice, and a failed create leaves nothing to undo.
TEST_F(InstallJournalTest, CreatedTargetsAreUndoneLikeKeptFiles) {
  WriteTextFile(Path("old.txt"), "earlier bytes");
  SetOldTime(Path("old.txt"));
  const TFileState before = StateOf(Path("old.txt"));
  for (const char* name : {"old.txt", "new.txt", "new.txt"})
    journal_.CreateTarget(Path(name))->WriteBuffer("run", 3);
  EXPECT_EQ(ReadFileBytes(Path("new.txt")), "run");
  EXPECT_EQ(ReadFileBytes(Path("old.txt")), "run");
  EXPECT_EQ(Names(folder_.Path()).size(), 3u) << "the earlier old.txt waits beside it";
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_EQ(StateOf(Path("old.txt")), before);
  EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{"old.txt"});

  WriteTextFile(Path("hidden.txt"), "hidden");
  ASSERT_TRUE(SetFileAttributesA(Path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(CreateDirectoryA(Path("folder").c_str(), nullptr));
  for (const char* name : {"hidden.txt", "folder", "missing\\new.txt"}) {
    try {
      journal_.CreateTarget(Path(name));
      ADD_FAILURE() << name << " was created";
    } catch (const EStreamError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + Path(name) + "\"", 0), 0u)
          << e.what();
    }
  }
  EXPECT_TRUE(journal_.Empty()) << "nothing the run made";
  EXPECT_EQ(ReadFileBytes(Path("hidden.txt")), "hidden");
}

TEST_F(InstallJournalTest, CommitDropsTheKeptVersions) {
  WriteTextFile(Path("old.txt"), "earlier bytes");
  journal_.KeepFile(Path("old.txt"));
  WriteTextFile(Path("old.txt"), "new");
  journal_.Commit();
  EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{"old.txt"});
  EXPECT_EQ(ReadFileBytes(Path("old.txt")), "new");
  EXPECT_TRUE(journal_.Rollback().empty()) << "nothing left to undo";
  EXPECT_EQ(ReadFileBytes(Path("old.txt")), "new");
}

TEST_F(InstallJournalTest, AKeptNameThatIsTakenIsPassedOver) {
  const std::string taken = KeptFilePath(Path("old.txt"), GetCurrentProcessId(), 0);
  WriteTextFile(taken, "someone else's");
  WriteTextFile(Path("old.txt"), "earlier bytes");
  journal_.KeepFile(Path("old.txt"));
  EXPECT_TRUE(PathExists(KeptFilePath(Path("old.txt"), GetCurrentProcessId(), 1)));
  WriteTextFile(Path("old.txt"), "new");
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_EQ(ReadFileBytes(Path("old.txt")), "earlier bytes");
  EXPECT_EQ(ReadFileBytes(taken), "someone else's");
}

// Each kept file takes the next number, so that keeping thousands of files in one folder does
// not try every earlier kept file's name again: the second file takes "1" even once "0" is free.
TEST_F(InstallJournalTest, KeptFilesAreNumberedOn) {
  WriteTextFile(Path("a.txt"), "a");
  WriteTextFile(Path("b.txt"), "b");
  journal_.KeepFile(Path("a.txt"));
  const std::string first = KeptFilePath(Path("a.txt"), GetCurrentProcessId(), 0);
  ASSERT_TRUE(PathExists(first));
  ASSERT_TRUE(MoveFileA(first.c_str(), Path("a-kept.txt").c_str()));
  journal_.KeepFile(Path("b.txt"));
  EXPECT_TRUE(PathExists(KeptFilePath(Path("b.txt"), GetCurrentProcessId(), 1)));
  EXPECT_FALSE(PathExists(first));
  ASSERT_TRUE(MoveFileA(Path("a-kept.txt").c_str(), first.c_str()));
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_EQ(ReadFileBytes(Path("a.txt")), "a");
  EXPECT_EQ(ReadFileBytes(Path("b.txt")), "b");
}

TEST_F(InstallJournalTest, APathWrittenTwiceIsKeptOnce) {
  WriteTextFile(Path("link.lnk"), "the user's own");
  for (const char* bytes : {"first pass", "second pass"}) {
    journal_.KeepFile(Path("LINK.lnk"));
    WriteTextFile(Path("link.lnk"), bytes);
  }
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_EQ(ReadFileBytes(Path("link.lnk")), "the user's own");
  EXPECT_EQ(Names(folder_.Path()).size(), 1u);
}

TEST_F(InstallJournalTest, AFileThatCannotBeWrittenIsRefusedAndLeftInPlace) {
  WriteTextFile(Path("held.txt"), "held");
  TScopedHandle holder(CreateFileA(Path("held.txt").c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.IsValid());
  WriteTextFile(Path("hidden.txt"), "hidden");
  ASSERT_TRUE(SetFileAttributesA(Path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  for (const char* name : {"held.txt", "hidden.txt"}) {
    try {
      journal_.KeepFile(Path(name));
      ADD_FAILURE() << name << ": no error";
    } catch (const EStreamError& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + Path(name) + "\". ", 0),
                0u)
          << error.what();
    }
  }
  holder.Reset();
  EXPECT_EQ(ReadFileBytes(Path("held.txt")), "held");
  EXPECT_EQ(Names(folder_.Path()).size(), 2u);
  EXPECT_TRUE(journal_.Rollback().empty());
}

TEST_F(InstallJournalTest, AFolderStandingWhereAFileGoesIsLeftAlone) {
  ASSERT_TRUE(CreateDirectoryA(Path("License.rtf").c_str(), nullptr));
  journal_.KeepFile(Path("License.rtf"));
  EXPECT_TRUE(journal_.Empty());
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_TRUE(PathExists(Path("License.rtf")));
}

TEST_F(InstallJournalTest, PatchedHeadsGetTheirBytesSizeAndTimesBack) {
  struct Case {
    const char* name;
    std::string earlier;
  };
  const std::vector<Case> cases = {{"short.ini", std::string(10, 'a')},
                                   {"longer.ini", std::string(300, 'b') + "tail"}};
  for (const Case& c : cases) {
    WriteTextFile(Path(c.name), c.earlier);
    SetOldTime(Path(c.name));
  }
  // A hidden record patched in place; the rewrite leaves other attributes, as Windows does.
  ASSERT_TRUE(SetFileAttributesA(Path("longer.ini").c_str(), FILE_ATTRIBUTE_HIDDEN));
  std::vector<TFileState> before;
  for (const Case& c : cases) {
    before.push_back(StateOf(Path(c.name)));
    journal_.KeepHead(Path(c.name), c.earlier.substr(0, 292));
    {
      TScopedHandle file(CreateFileA(Path(c.name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      ASSERT_TRUE(WriteFile(file.Get(), std::string(292, 'X').data(), 292, &written, nullptr));
    }
    ASSERT_TRUE(SetFileAttributesA(Path(c.name).c_str(), FILE_ATTRIBUTE_ARCHIVE));
  }
  EXPECT_TRUE(journal_.Rollback().empty());
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(StateOf(Path(cases[i].name)), before[i]) << cases[i].name;
}

TEST_F(InstallJournalTest, AnUnwritableHeadThatWasNotChangedIsNoUndoError) {
  if (!ReadOnlyAttributeIsEnforced(folder_.Path()))
    GTEST_SKIP() << "the read-only attribute does not stop writes here";
  WriteTextFile(Path("experts.ini"), "settings");
  ASSERT_TRUE(SetFileAttributesA(Path("experts.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  journal_.KeepHead(Path("experts.ini"), "settings");
  EXPECT_TRUE(journal_.Rollback().empty());
  SetFileAttributesA(Path("experts.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(InstallJournalTest, UndoErrorsAreReportedAndTheUndoGoesOn) {
  journal_.CreateFolders(Path("Made"));
  journal_.KeepFile(Path("Made\\a.txt"));
  WriteTextFile(Path("Made\\a.txt"), "a");
  journal_.KeepFile(Path("b.txt"));
  WriteTextFile(Path("b.txt"), "b");
  // Something of the user's lands in the folder the run made, and b.txt is held open.
  WriteTextFile(Path("Made\\user.txt"), "user");
  TScopedHandle holder(CreateFileA(Path("b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.IsValid());
  const std::vector<std::string> errors = journal_.Rollback();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].rfind("Cannot delete file \"" + Path("b.txt") + "\". ", 0), 0u) << errors[0];
  EXPECT_EQ(errors[1].rfind("Cannot remove folder \"" + Path("Made") + "\". ", 0), 0u) << errors[1];
  EXPECT_FALSE(PathExists(Path("Made\\a.txt")));
  EXPECT_TRUE(PathExists(Path("Made\\user.txt")));
}

class RegistryJournalTest : public testing::Test {
 protected:
  RegistryJournalTest() { SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }
  ~RegistryJournalTest() override { SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }

  static std::string Value(const std::string& path, const std::string& name) {
    TRegKey key;
    key.Open(HKEY_CURRENT_USER, path, KEY_READ);
    return key.ReadString(name);
  }

  static bool Exists(const std::string& path) {
    TRegKey key;
    return key.Open(HKEY_CURRENT_USER, path, KEY_READ);
  }

  const std::string key_ = "Software\\XA Journal Test " + std::to_string(GetCurrentProcessId());
  TInstallJournal journal_;
};

TEST_F(RegistryJournalTest, ACreatedKeyIsDeletedFromItsFirstNewPart) {
  const std::string deep = key_ + "\\Program\\Sub";
  journal_.KeepRegistryValues(HKEY_CURRENT_USER, deep, {"DisplayName"});
  TRegKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, deep));
  key.WriteString("DisplayName", "new");
  key.Close();
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_FALSE(Exists(key_));
}

TEST_F(RegistryJournalTest, AnExistingKeyGetsItsValuesBackAndLosesTheNewOnes) {
  TRegKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, key_));
  key.WriteString("DisplayName", "earlier");
  key.WriteString("Other", "kept");
  const DWORD number = 7;
  RegSetValueExA(key.Get(), "Size", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  journal_.KeepRegistryValues(HKEY_CURRENT_USER, key_, {"DisplayName", "DisplayIcon", "Size"});
  key.WriteString("DisplayName", "new");
  key.WriteString("DisplayIcon", "new");
  key.WriteString("Size", "a text now");
  EXPECT_TRUE(journal_.Rollback().empty());
  EXPECT_EQ(Value(key_, "DisplayName"), "earlier");
  EXPECT_EQ(Value(key_, "Other"), "kept");
  EXPECT_NE(RegQueryValueExA(key.Get(), "DisplayIcon", nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  DWORD type = 0, size = 4, read = 0;
  ASSERT_EQ(
      RegQueryValueExA(key.Get(), "Size", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(read, number);
}

}  // namespace
}  // namespace xa
