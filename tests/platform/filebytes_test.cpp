#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/filebytes.h"
#include "support/testsupport.h"

namespace {

std::string FilesIn(const TTempDir& dir)
{
    std::string names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(dir.File("*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string n = fd.cFileName;
        if (n != "." && n != "..") names += n + ";";
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

TEST(FileBytes, ReplacesWholeAndLeavesNothingBeside)
{
    TTempDir dir;
    const std::string path = dir.File("設定.ini");
    ASSERT_TRUE(WriteFileBytes(path, "first\r\n"));
    ASSERT_TRUE(WriteFileBytes(path, "second"));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(FilesIn(dir), "設定.ini;");
}

TEST(FileBytes, KeepsTheAttributesOfTheFileItReplaces)
{
    TTempDir dir;
    const std::string path = dir.File("VELK.HIS");
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileBytes(path, "new"));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(FileBytes, AFailedReplaceLeavesTheOldFileAsItWas)
{
    TTempDir dir;
    const std::string path = dir.File("a.ini");
    ASSERT_TRUE(WriteFileBytes(path, "old contents"));
    // Held open without sharing: it cannot be replaced.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFileBytes(path, "new"));
    CloseHandle(h);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "old contents");
    EXPECT_EQ(FilesIn(dir), "a.ini;");

    // A folder of that name is never replaced.
    CreateDirectoryA(dir.File("d").c_str(), nullptr);
    EXPECT_FALSE(WriteFileBytes(dir.File("d"), "x"));
}

}  // namespace
