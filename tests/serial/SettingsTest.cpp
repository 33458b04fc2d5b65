#include <gtest/gtest.h>
#include <termios.h>

#include "serial/CommSettings.h"
#include "serial/ErrorReporter.h"
#include "serial/LineSettingsText.h"
#include "serial/TermiosLine.h"

TEST(CommSettings, FreshRecordIsTheFactoryLine) {
    const CCommSettings settings;
    EXPECT_EQ(settings.portName, "COM1");
    EXPECT_EQ(settings.baudRate, 38400u);
    EXPECT_EQ(settings.dataBits, 7);
    EXPECT_EQ(settings.parity, CCommSettings::kParityEven);
    EXPECT_EQ(settings.stopBits, 2);
    EXPECT_EQ(FormatSettingsText(settings.baudRate, settings.parity, settings.dataBits,
                                 settings.stopBits),
              "baud=38400 parity=E data=7 stop=2");
}

TEST(CommSettings, EmptyPortNameIsRefusedAndChangesNothing) {
    CCommSettings settings;
    EXPECT_FALSE(settings.SetPortName(""));
    EXPECT_EQ(settings.portName, "COM1");
    EXPECT_TRUE(settings.SetPortName("/dev/ttyUSB0"));
    EXPECT_EQ(settings.portName, "/dev/ttyUSB0");
}

TEST(SettingsText, ParityLetters) {
    EXPECT_EQ(ParityLetter(0), 'N');
    EXPECT_EQ(ParityLetter(1), 'O');
    EXPECT_EQ(ParityLetter(2), 'E');
    EXPECT_EQ(ParityLetter(3), 'N');
}

TEST(SettingsText, ParseReadsWhatFormatWrites) {
    const auto line = ParseSettingsText(FormatSettingsText(31250, 1, 8, 1));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->baudRate, 31250u);
    EXPECT_EQ(line->parity, 1);
    EXPECT_EQ(line->dataBits, 8);
    EXPECT_EQ(line->stopBits, 1);
}

TEST(SettingsText, ParseRefusesWhatNoLineCanRun) {
    EXPECT_FALSE(ParseSettingsText("baud=0 parity=E data=7 stop=2"));
    EXPECT_FALSE(ParseSettingsText("baud=-5 parity=E data=7 stop=2"));
    EXPECT_FALSE(ParseSettingsText("baud=9600 parity=M data=7 stop=2"));
    EXPECT_FALSE(ParseSettingsText("baud=9600 parity=E data=4 stop=2"));
    EXPECT_FALSE(ParseSettingsText("baud=9600 parity=E data=9 stop=2"));
    EXPECT_FALSE(ParseSettingsText("baud=9600 parity=E data=7 stop=3"));
    EXPECT_FALSE(ParseSettingsText("baud=9600 parity=E data=7 stop=2 extra"));
    EXPECT_FALSE(ParseSettingsText(""));
}

TEST(RawLine, FramingFollowsTheSettings) {
    termios block{};
    ApplyRawLine(block, {38400, 2, 7, 2});
    EXPECT_EQ(block.c_cflag & CSIZE, tcflag_t{CS7});
    EXPECT_TRUE(block.c_cflag & PARENB);
    EXPECT_FALSE(block.c_cflag & PARODD);
    EXPECT_TRUE(block.c_cflag & CSTOPB);

    ApplyRawLine(block, {9600, 1, 8, 1});
    EXPECT_EQ(block.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_TRUE(block.c_cflag & PARENB);
    EXPECT_TRUE(block.c_cflag & PARODD);
    EXPECT_FALSE(block.c_cflag & CSTOPB);

    ApplyRawLine(block, {9600, 0, 8, 1});
    EXPECT_FALSE(block.c_cflag & (PARENB | PARODD));
}

TEST(ErrorReport, FormatAndLimit) {
    EXPECT_EQ(FormatErrorReport("CSerialPort::Send", EIO),
              "ERROR:  [CSerialPort::Send] : \nInput/output error\n");
    EXPECT_EQ(FormatErrorReport(std::string(400, 'x'), EIO).size(), 255u);
}
