#include <gtest/gtest.h>
#include <termios.h>

#include <cerrno>
#include <string>

#include "serial/ErrorReporter.h"
#include "serial/LineSettingsText.h"
#include "serial/TermiosLine.h"

TEST(SettingsText, ParseReadsWhatFormatWritesAndRefusesWhatNoLineCanRun) {
    const auto line = ParseSettingsText(FormatSettingsText(31250, 1, 8, 1));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->baudRate, 31250u);
    EXPECT_EQ(line->parity, 1);
    EXPECT_EQ(line->dataBits, 8);
    EXPECT_EQ(line->stopBits, 1);
    EXPECT_EQ(FormatSettingsText(9600, 3, 8, 1), "baud=9600 parity=N data=8 stop=1");
    for (const char* text : {"baud=0 parity=E data=7 stop=2", "baud=-5 parity=E data=7 stop=2",
                             "baud=9600 parity=M data=7 stop=2", "baud=9600 parity=E data=4 stop=2",
                             "baud=9600 parity=E data=9 stop=2", "baud=9600 parity=E data=7 stop=3",
                             "baud=9600 parity=E data=7 stop=2 extra", ""})
        EXPECT_FALSE(ParseSettingsText(text)) << text;
}

TEST(RawLine, FramingFollowsTheSettings) {
    termios block{};
    ApplyRawLine(block, {38400, 2, 7, 2});
    EXPECT_EQ(block.c_cflag & CSIZE, tcflag_t{CS7});
    EXPECT_EQ(block.c_cflag & (PARENB | PARODD | CSTOPB), tcflag_t{PARENB | CSTOPB});
    ApplyRawLine(block, {9600, 1, 8, 1});
    EXPECT_EQ(block.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(block.c_cflag & (PARENB | PARODD | CSTOPB), tcflag_t{PARENB | PARODD});
    ApplyRawLine(block, {9600, 0, 8, 1});
    EXPECT_FALSE(block.c_cflag & (PARENB | PARODD));
}

// Its form: SerialPortOnPty.VanishedLineFailsEveryOperationWithAReport.
TEST(ErrorReport, IsCutAtItsLimit) {
    EXPECT_EQ(FormatErrorReport(std::string(400, 'x'), EIO).size(), 255u);
}
