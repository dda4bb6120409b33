#include "shell/FileExist.h"

#include "common/PathText.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(FileExist, TellsFilesFromFolders)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("grid.ipt"), "x");
    const std::string file = pathText(folder.file("grid.ipt"));
    const std::string dir = pathText(folder.path());

    EXPECT_TRUE(file_exist(file, 0));
    EXPECT_FALSE(file_exist(file, 1));
    EXPECT_TRUE(file_exist(dir, 1));
    EXPECT_TRUE(file_exist(dir + "/", 1));
    EXPECT_FALSE(file_exist(dir, 0));
    EXPECT_TRUE(file_exist(file, ExistenceKind::File));
    EXPECT_TRUE(file_exist(dir, ExistenceKind::Folder));
}

TEST(FileExist, MissingEmptyAndUnknownKindsAnswerFalse)
{
    testing::TempFolder folder;
    const std::string missing = pathText(folder.file("missing.ipt"));
    for (int kind = 0; kind <= 2; ++kind) {
        EXPECT_FALSE(file_exist("", kind));
        EXPECT_FALSE(file_exist(missing, kind));
        EXPECT_FALSE(file_exist(missing + "/inside", kind));
    }
    EXPECT_FALSE(file_exist(pathText(folder.path()), 3));
    EXPECT_FALSE(file_exist(pathText(folder.path()), -1));
    EXPECT_FALSE(file_exist(std::string("bad\0name", 8), 0));
    EXPECT_FALSE(file_exist(std::string(5000, 'x'), 0));
}

TEST(FileExist, OnlyARootIsADrive)
{
#ifdef _WIN32
    EXPECT_TRUE(file_exist("C:\\", 1));
    EXPECT_FALSE(file_exist("C:\\", 0));
    EXPECT_TRUE(file_exist("C:", 2));
    EXPECT_TRUE(file_exist("C:\\", 2));
#else
    EXPECT_TRUE(file_exist("/", 1));
    EXPECT_FALSE(file_exist("/", 0));
    EXPECT_TRUE(file_exist("/", 2));
    testing::TempFolder folder;
    EXPECT_FALSE(file_exist(pathText(folder.path()), 2));
    EXPECT_FALSE(file_exist("C:", 2));
#endif
}

} // namespace
} // namespace leapmark
