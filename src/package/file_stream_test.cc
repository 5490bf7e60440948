#include "package/file_stream.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "package/errors.h"
#include "package/testing/temp_folder.h"

namespace xa {
namespace {

std::string ErrorOf(const std::string& path, FileMode mode) {
  try {
    TFileStream stream(path, mode);
  } catch (const EStreamError& e) {
    return e.what();
  }
  return "";
}

TEST(FileStreamTest, CreateWriteReopenAndRead) {
  testing::TempFolder folder;
  const std::string path = folder.Path("data.bin");
  {
    TFileStream out(path, FileMode::kCreate);
    out.WriteBuffer("abcdef", 6);
    EXPECT_EQ(out.Size(), 6);
  }
  TFileStream in(path, FileMode::kOpenRead);
  EXPECT_EQ(in.Seek(2, SeekOrigin::kBeginning), 2);
  char buffer[8] = {};
  EXPECT_EQ(in.Read(buffer, 8), 4);
  EXPECT_STREQ(buffer, "cdef");
  EXPECT_EQ(in.Read(buffer, 8), 0);
  EXPECT_EQ(in.Write("x", 1), 0) << "a read-only stream stores nothing";
  EXPECT_THROW(in.WriteBuffer("x", 1), EStreamError);
  EXPECT_THROW(in.Seek(-1, SeekOrigin::kBeginning), EStreamError);
}

TEST(FileStreamTest, CreateNewMakesOnlyFilesThatDoNotExist) {
  testing::TempFolder folder;
  const std::string path = folder.Path("new.bin");
  {
    const auto created = TFileStream::CreateNew(path);
    ASSERT_NE(created, nullptr);
    created->WriteBuffer("abc", 3);
  }
  EXPECT_EQ(TFileStream::CreateNew(path), nullptr) << "an existing file";
  EXPECT_EQ(TFileStream(path, FileMode::kOpenRead).Size(), 3) << "left as it was";
  std::filesystem::create_directory(folder.Path("sub"));
  EXPECT_EQ(TFileStream::CreateNew(folder.Path("sub")), nullptr) << "an existing folder";
  const std::string orphan = folder.Path("missing") + "/new.bin";
  try {
    TFileStream::CreateNew(orphan);
    ADD_FAILURE() << "no folder to create the file in";
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + orphan + "\".", 0), 0u)
        << e.what();
  }
}

TEST(FileStreamTest, MessagesNameThePathAndTheSystemReason) {
  testing::TempFolder folder;
  const std::string missing = folder.Path("missing.bin");
  const std::string open_error = ErrorOf(missing, FileMode::kOpenRead);
  const std::string open_prefix = "Cannot open file \"" + missing + "\". ";
  EXPECT_EQ(open_error.rfind(open_prefix, 0), 0u) << open_error;
  EXPECT_GT(open_error.size(), open_prefix.size()) << "the reason follows";
  EXPECT_NE(open_error.back(), '.');

  const std::string in_missing_folder = folder.Path("no such folder") + "/x.bin";
  const std::string create_error = ErrorOf(in_missing_folder, FileMode::kCreate);
  EXPECT_EQ(create_error.rfind("Cannot create file \"" + in_missing_folder + "\". ", 0), 0u)
      << create_error;
}

#ifdef _WIN32
TEST(FileStreamTest, AnOpenFileAllowsNoOtherAccess) {
  testing::TempFolder folder;
  const std::string path = folder.Path("locked.bin");
  TFileStream held(path, FileMode::kCreate);
  EXPECT_EQ(ErrorOf(path, FileMode::kOpenRead).rfind("Cannot open file \"" + path + "\". ", 0), 0u);
  EXPECT_EQ(ErrorOf(path, FileMode::kCreate).rfind("Cannot create file \"" + path + "\". ", 0), 0u);
}
#endif

}  // namespace
}  // namespace xa
