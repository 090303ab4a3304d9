#include <gtest/gtest.h>

#include "install/folder_size.h"
#include "tests/unit/test_support.h"

namespace {

class FolderSizeTest : public PlatformTest {};

TEST_F(FolderSizeTest, CountsFilesOfSubfoldersAndDropsTheRemainder) {
    fake.files.AddFile("C:\\Apps\\Morvalen\\Morvalen.exe", std::string(1536, 'x'));
    fake.files.AddFile("C:\\Apps\\Morvalen\\Data\\notes.txt", std::string(1023, 'y'));
    EXPECT_EQ(FolderSizeKB("C:\\Apps\\Morvalen\\"), 2);
    EXPECT_EQ(FolderSizeKB("C:\\Apps\\Morvalen"), 2);  // the backslash is added
}

TEST_F(FolderSizeTest, MinusOneForAnEmptyPathOrAMissingFolder) {
    fake.files.AddDirectory("C:\\Apps");
    EXPECT_EQ(FolderSizeKB(""), -1);
    EXPECT_EQ(FolderSizeKB("C:\\Apps\\Missing\\"), -1);
    EXPECT_EQ(FolderSizeKB("C:\\Apps\\"), 0);
}

TEST_F(FolderSizeTest, HiddenAndSystemFilesCount) {
    fake.files.AddFile("C:\\T\\hidden.dat", std::string(1024, 'h'), 0x02);
    fake.files.AddFile("C:\\T\\system.dat", std::string(2048, 's'), 0x04);
    EXPECT_EQ(FolderSizeKB("C:\\T\\"), 3);
}

TEST_F(FolderSizeTest, ScansBreadthFirst) {
    fake.files.AddDirectory("C:\\T\\A\\A1");
    fake.files.AddDirectory("C:\\T\\B\\B1");
    fake.log.Clear();
    FolderSizeKB("C:\\T\\");
    const std::vector<std::string> expected{
        "FindFiles(C:\\T\\*.*,0x3F)",       "FindFiles(C:\\T\\A\\*.*,0x3F)",     "FindFiles(C:\\T\\B\\*.*,0x3F)",
        "FindFiles(C:\\T\\A\\A1\\*.*,0x3F)", "FindFiles(C:\\T\\B\\B1\\*.*,0x3F)",
    };
    EXPECT_EQ(fake.log.Starting("FindFiles("), expected);
}

TEST_F(FolderSizeTest, TakesTheLowThirtyTwoBitsOfEachFileAndWrapsTheTotal) {
    struct Case {
        std::vector<std::uint64_t> sizes;
        std::int32_t expected;
    };
    const std::vector<Case> cases{
        {{(1ull << 32) + 2048}, 2},                   // a file over 4 GB counts its low 32 bits
        {{0xFFFFFC00ull, 0xFFFFFC00ull}, 0x3FFFFE},    // two of 4 GB - 1 KB: the sum wraps
        {{0xFFFFFFFFull}, 0x3FFFFF},                  // the shift is unsigned: never negative
    };
    for (const Case& c : cases) {
        fake.files.RemoveTree("C:\\Big");
        fake.files.AddDirectory("C:\\Big");
        for (std::size_t i = 0; i < c.sizes.size(); ++i) {
            const std::string path = "C:\\Big\\part" + std::to_string(i) + ".bin";
            fake.files.AddFile(path, "");
            fake.files.SetReportedSize(path, c.sizes[i]);
        }
        EXPECT_EQ(FolderSizeKB("C:\\Big\\"), c.expected) << c.sizes.size() << " files";
    }
}

}  // namespace
