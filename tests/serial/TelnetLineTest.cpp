#include <gtest/gtest.h>

#include <string>

#include "serial/TelnetLine.h"

namespace {

const std::string kIac = "\xFF";

// Bytes that may hold NUL, which a string literal would end at.
std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

// What Filter leaves of bytes handed over in the given pieces.
std::string FilterInPieces(CTelnetLine& line, const std::vector<std::string>& pieces) {
    std::string data;
    for (std::string piece : pieces)
        data += piece.substr(0, line.Filter(piece.data(), piece.size()));
    return data;
}

}  // namespace

TEST(TelnetLine, DataSurvivesCommandsAndSubNegotiationsWhereverReadsSplitThem) {
    CTelnetLine line;
    line.Greeting();
    const std::string longSub = kIac + "\xFA\x2C\x6E" + std::string(300, 'x') + kIac + "\xF0";
    const struct {
        std::vector<std::string> pieces;
        std::string data;
    } cases[] = {
        {{"@01" + kIac + kIac + "RS"}, "@01\xFFRS"},
        {{"a" + kIac, kIac + "b"}, "a\xFF" + std::string("b")},
        {{"a" + kIac, "\xFB", "\x01" + std::string("b")}, "ab"},  // WILL ECHO over three reads
        {{"a" + kIac, Bytes({0xFA, 0x2C, 0x65, 0, 0, 0x96, 0xFF, 0xFF}), Bytes({0xFF, 0xF0}) + "b"},
         "ab"},
        {{"a" + longSub + "b"}, "ab"},
        {{"a" + kIac + "\xF1" + std::string("b")}, "ab"},  // NOP
    };
    for (const auto& c : cases) EXPECT_EQ(FilterInPieces(line, c.pieces), c.data);
}

TEST(TelnetLine, AnswersOnlyWhatChangesAndLearnsWhetherPortControlIsAgreed) {
    CTelnetLine line;
    EXPECT_EQ(line.Greeting(), Bytes({0xFF, 0xFB, 0x2C, 0xFF, 0xFB, 0, 0xFF, 0xFD, 0}));
    // Acknowledgements of what was offered: no answer.
    FilterInPieces(line, {Bytes({0xFF, 0xFD, 0x2C, 0xFF, 0xFB, 0})});
    EXPECT_EQ(line.TakeReplies(), "");
    EXPECT_TRUE(line.PortControlAgreed());
    // Echo and terminal type are refused; suppress-go-ahead is taken.
    FilterInPieces(line, {kIac + "\xFB\x01" + kIac + "\xFD\x18" + kIac + "\xFB\x03"});
    EXPECT_EQ(line.TakeReplies(), kIac + "\xFE\x01" + kIac + "\xFC\x18" + kIac + "\xFD\x03");

    CTelnetLine refusing;
    refusing.Greeting();
    FilterInPieces(refusing, {kIac + "\xFE\x2C"});
    EXPECT_TRUE(refusing.PortControlRefused());
    EXPECT_FALSE(refusing.PortControlAgreed());
}

TEST(TelnetLine, SettingsAreSentEscapedAndTheirAcknowledgementsCounted) {
    const auto settings = CTelnetLine::LineSettings(0x0000FF00, 7, 2, 2);
    EXPECT_EQ(settings[0], Bytes({0xFF, 0xFA, 0x2C, 1, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xF0}));
    EXPECT_EQ(settings[1], kIac + "\xFA\x2C\x02\x07" + kIac + "\xF0");
    EXPECT_EQ(settings[2], kIac + "\xFA\x2C\x03\x03" + kIac + "\xF0");  // even
    EXPECT_EQ(settings[3], kIac + "\xFA\x2C\x04\x02" + kIac + "\xF0");
    EXPECT_EQ(CTelnetLine::LineSettings(9600, 8, 1, 1)[2],
              kIac + "\xFA\x2C\x03\x02" + kIac + "\xF0");

    CTelnetLine line;
    FilterInPieces(line, {kIac + "\xFA\x2C\x66\x07" + kIac + "\xF0"});
    EXPECT_TRUE(line.SettingAcknowledged(1));
    EXPECT_FALSE(line.SettingAcknowledged(0));
    EXPECT_EQ(CTelnetLine::Escape("a\xFF", 2), "a\xFF\xFF");
}
