#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "app/FileHelpers.h"
#include "support/TempFolder.h"

namespace {

TEST(CopyWholeFileTest, CopiesEveryByteOverTheTargetAndNamesTheFileItFailsOn) {
    TempFolder dir;
    for (size_t size : {size_t{0}, size_t{4096}, size_t{10000}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        dir.Write("src", bytes);
        dir.Write("dst", std::string(20000, 'o'));
        ASSERT_TRUE(CopyWholeFile(dir.File("src"), dir.File("dst"))) << size;
        EXPECT_EQ(dir.Read("dst"), bytes) << size;
    }

    FileError error;
    EXPECT_FALSE(CopyWholeFile(dir.File("missing"), dir.File("dst"), &error));
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_EQ(error.fileName, dir.File("missing"));
    EXPECT_FALSE(CopyWholeFile(dir.File("src"), dir.File("no/such/folder"), &error));
    EXPECT_EQ(error.fileName, dir.File("no/such/folder"));
}

TEST(GetFileDateTest, LastWriteTimeInUniversalTimeElseUntouched) {
    TempFolder dir;
    const std::string file = dir.Write("t.tbl", "x");
    // 2024-02-29 23:59:58.250 UTC, a Thursday.
    const timespec times[2] = {{1709251198, 250000000}, {1709251198, 250000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    FileDateTime d;
    ASSERT_TRUE(GetFileDate(file, d));
    EXPECT_EQ((std::vector<int>{d.year, d.month, d.day, d.dayOfWeek, d.hour, d.minute, d.second,
                                d.milliseconds}),
              (std::vector<int>{2024, 2, 29, 4, 23, 59, 58, 250}));
    EXPECT_FALSE(GetFileDate(dir.File("missing"), d));
    EXPECT_EQ(d.year, 2024);
}

}  // namespace
