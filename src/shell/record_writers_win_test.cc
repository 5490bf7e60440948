#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "package/errors.h"
#include "shell/com_apartment.h"
#include "shell/record_writers.h"
#include "shell/testing/shell_link_reader.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

class RecordWritersTest : public testing::Test {
 protected:
  void SetUp() override {
    install_.StepsExpected = 4;
    install_.OnProgress = [this](TXaData&, const std::string& message, int32_t percent) {
      reports_.emplace_back(message, percent);
    };
  }

  std::vector<std::string> ItemPaths() const {
    std::vector<std::string> paths;
    for (const TInstalledItem& item : install_.InstalledItems) {
      EXPECT_NE(item.Mark, kInstalledFolder) << item.Path;
      paths.push_back(item.Path);
    }
    return paths;
  }

  TComApartment apartment_;
  TTempFolder folder_{"writers"};
  TXaInstall install_;
  TInstallJournal journal_;
  std::vector<std::pair<std::string, int32_t>> reports_;
};

TEST_F(RecordWritersTest, InternetShortcutHasExactBytesAndIsRecorded) {
  const std::string file = folder_.Path() + "\\Menu\\Pub Website.url";
  WriteInternetShortcut(install_, journal_, file, "http://example.com");
  EXPECT_EQ(ReadFileBytes(file), "[InternetShortcut]\r\nURL=http://example.com\r\n\r\n");
  EXPECT_EQ(ItemPaths(), std::vector<std::string>{file});
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0].first, "Creating shortcut " + file + " ...");
  EXPECT_EQ(reports_[0].second, 25);
}

TEST_F(RecordWritersTest, BareSchemesWriteNothing) {
  for (const char* url : {"", "http://", "mailto:"}) {
    const std::string file = folder_.Path() + "\\Empty.url";
    WriteInternetShortcut(install_, journal_, file, url);
    EXPECT_FALSE(PathExists(file)) << url;
  }
  EXPECT_TRUE(reports_.empty());
  EXPECT_TRUE(install_.InstalledItems.empty());
  EXPECT_EQ(install_.StepsDone, 0);
}

TEST_F(RecordWritersTest, UpperCaseSchemesAreWrittenUnchanged) {
  const std::string file = folder_.Path() + "\\Contact Email.url";
  WriteInternetShortcut(install_, journal_, file, "MAILTO:");
  EXPECT_EQ(ReadFileBytes(file), "[InternetShortcut]\r\nURL=MAILTO:\r\n\r\n");
}

TEST_F(RecordWritersTest, DocumentGetsCrLfLinesAndAShortcut) {
  const std::string document = folder_.Path() + "\\App\\Readme.rtf";
  const std::string shortcut = folder_.Path() + "\\Menu\\Readme.lnk";
  WriteDocument(install_, journal_, document, shortcut, "{\\rtf1\nline}");
  EXPECT_EQ(ReadFileBytes(document), "{\\rtf1\r\nline}\r\n");
  const TShellLinkContents link = ReadShellLink(shortcut);
  ASSERT_TRUE(link.loaded);
  EXPECT_EQ(link.Path, document);
  EXPECT_EQ(link.WorkingDirectory, folder_.Path() + "\\App");
  EXPECT_EQ(ItemPaths(), (std::vector<std::string>{document, shortcut}));
  ASSERT_EQ(reports_.size(), 2u);
  EXPECT_EQ(reports_[0], std::make_pair("Copying file " + document + " ...", 25));
  EXPECT_EQ(reports_[1], std::make_pair("Creating shortcut " + shortcut + " ...", 50));
}

TEST_F(RecordWritersTest, EmptyDocumentWritesNothing) {
  WriteDocument(install_, journal_, folder_.Path() + "\\Readme.rtf",
                folder_.Path() + "\\Readme.lnk", "");
  EXPECT_FALSE(PathExists(folder_.Path() + "\\Readme.rtf"));
  EXPECT_FALSE(PathExists(folder_.Path() + "\\Readme.lnk"));
  EXPECT_TRUE(reports_.empty());
  EXPECT_TRUE(install_.InstalledItems.empty());
}

// The document cannot be created: raises the creation error after recording the path.
void ExpectCreateFailure(TXaInstall& install,
                         TInstallJournal& journal,
                         const std::string& document,
                         const std::string& shortcut) {
  try {
    WriteDocument(install, journal, document, shortcut, "new");
    FAIL() << "no error";
  } catch (const EStreamError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + document + "\". ", 0), 0u)
        << error.what();
  }
  ASSERT_EQ(install.InstalledItems.size(), 1u);
  EXPECT_EQ(install.InstalledItems[0].Path, document);
  EXPECT_FALSE(PathExists(shortcut));
}

TEST_F(RecordWritersTest, ReadOnlyDocumentFailsAfterBeingRecorded) {
  if (!ReadOnlyAttributeIsEnforced(folder_.Path()))
    GTEST_SKIP() << "the read-only attribute does not stop writes here";
  const std::string document = folder_.Path() + "\\License.rtf";
  WriteTextFile(document, "old");
  ASSERT_TRUE(SetFileAttributesA(document.c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectCreateFailure(install_, journal_, document, folder_.Path() + "\\License.lnk");
  EXPECT_EQ(ReadFileBytes(document), "old");
}

TEST_F(RecordWritersTest, DocumentHeldOpenFailsAfterBeingRecorded) {
  const std::string document = folder_.Path() + "\\License.rtf";
  WriteTextFile(document, "old");
  const HANDLE holder = CreateFileA(document.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ExpectCreateFailure(install_, journal_, document, folder_.Path() + "\\License.lnk");
  CloseHandle(holder);
  EXPECT_EQ(ReadFileBytes(document), "old");
}

}  // namespace
}  // namespace xa
