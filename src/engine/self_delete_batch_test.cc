#include <gtest/gtest.h>

#include "engine/self_delete_batch.h"

namespace xa {
namespace {

TEST(BatchFileNameTest, HasSeventeenDigits) {
  EXPECT_EQ(BatchFileName({2026, 1, 31, 23, 59, 59, 123}), "20260131235959123.bat");
  EXPECT_EQ(BatchFileName({2001, 2, 3, 4, 5, 6, 7}), "20010203040506007.bat");
  EXPECT_EQ(BatchFileName({2026, 12, 1, 0, 0, 0, 0}), "20261201000000000.bat");
  // Parts too long for their place keep their last digits.
  EXPECT_EQ(BatchFileName({12026, 112, 1, 0, 0, 0, 1234}), "20261201000000234.bat");
}

TEST(SelfDeleteBatchTextTest, RemovesTheFolderWhenAsked) {
  EXPECT_EQ(SelfDeleteBatchText("C:\\Program Files\\Foo\\Uninstall.exe",
                                "C:\\Windows\\Temp\\0f1e2d3c4b5a69788796a5b4c3d2e1f0",
                                "20260131235959123.bat", true),
            ":repeat\r\n"
            "del \"C:\\Program Files\\Foo\\Uninstall.exe\"\r\n"
            "if exist \"C:\\Program Files\\Foo\\Uninstall.exe\" goto repeat\r\n"
            "rmdir \"C:\\Program Files\\Foo\\\"\r\n"
            "move \"C:\\Windows\\Temp\\0f1e2d3c4b5a69788796a5b4c3d2e1f0\\20260131235959123.bat\""
            " \"C:\\Windows\\Temp\\0f1e2d3c4b5a69788796a5b4c3d2e1f0.bat\" >nul"
            " & rmdir \"C:\\Windows\\Temp\\0f1e2d3c4b5a69788796a5b4c3d2e1f0\\\""
            " & del \"C:\\Windows\\Temp\\0f1e2d3c4b5a69788796a5b4c3d2e1f0.bat\" & exit\r\n");
}

TEST(SelfDeleteBatchTextTest, HasFourLinesWithoutTheFolder) {
  EXPECT_EQ(SelfDeleteBatchText("C:\\Foo\\Uninstall.exe", "C:\\Temp", "1.bat", false),
            ":repeat\r\n"
            "del \"C:\\Foo\\Uninstall.exe\"\r\n"
            "if exist \"C:\\Foo\\Uninstall.exe\" goto repeat\r\n"
            "move \"C:\\Temp\\1.bat\" \"C:\\Temp.bat\" >nul & rmdir \"C:\\Temp\\\""
            " & del \"C:\\Temp.bat\" & exit\r\n");
}

TEST(SelfDeleteBatchTextTest, DoublesPercentSigns) {
  EXPECT_EQ(EscapeBatchText("C:\\100% Tools\\%PATH%"), "C:\\100%% Tools\\%%PATH%%");
  EXPECT_EQ(SelfDeleteBatchText("C:\\100% Tools\\Uninstall.exe", "C:\\T%", "1%.bat", true),
            ":repeat\r\n"
            "del \"C:\\100%% Tools\\Uninstall.exe\"\r\n"
            "if exist \"C:\\100%% Tools\\Uninstall.exe\" goto repeat\r\n"
            "rmdir \"C:\\100%% Tools\\\"\r\n"
            "move \"C:\\T%%\\1%%.bat\" \"C:\\T%%.bat\" >nul & rmdir \"C:\\T%%\\\""
            " & del \"C:\\T%%.bat\" & exit\r\n");
}

}  // namespace
}  // namespace xa
