#include <gtest/gtest.h>

#include "params/DecimalPoint.h"
#include "params/HexNumber.h"
#include "params/ValueText.h"

// Most scaling and point placing is covered through the parameter item conversions.
TEST(DecimalText, EdgesOfScalingAndPointPlacing) {
    EXPECT_EQ(DecimalPlacesFromScale(99), 1);
    EXPECT_EQ(DecimalPlacesFromScale(-100), 0);
    EXPECT_EQ(ScaleToInteger("12.345", 2, '.'), "1234");  // truncated, not rounded
    EXPECT_EQ(ScaleToInteger("", 1, '.'), "0");
    EXPECT_EQ(ApplyDecimalPoint("-5", 2, '.'), "-0.05");
    EXPECT_EQ(ApplyDecimalPoint("123", 3, ','), "0,123");
    EXPECT_EQ(ApplyDecimalPoint("", 1, '.'), "0.0");
    EXPECT_EQ(TrimTrailingDecimals("1200", '.'), "1200");
    EXPECT_EQ(TrimTrailingDecimals("0.00", '.'), "0");
}

TEST(HexNumber, ScansLikeAHexScanAndPadsWithinBounds) {
    const struct {
        const char* text;
        uint32_t value;
    } read[] = {{"  04d2xyz", 0x4D2u},
                {"0x1F", 0x1Fu},
                {"0xZ", 0u},  // the "0" is the number
                {"-1", 0xFFFFFFFFu},
                {"123456789ABCDEF", 0x89ABCDEFu}};  // low 32 bits
    for (const auto& c : read) {
        uint32_t value = 7;
        EXPECT_TRUE(ScanHex(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    uint32_t value = 7;
    EXPECT_FALSE(ScanHex("XYZ", value));
    EXPECT_FALSE(ScanHex("", value));
    EXPECT_FALSE(ScanHex("-", value));
    EXPECT_EQ(value, 7u);

    EXPECT_EQ(FormatHex(1234, 4), "04D2");
    EXPECT_EQ(FormatHex(0xFFFFFFFFu, 4), "FFFFFFFF");
    EXPECT_EQ(FormatHex(10, -3), "A");
    EXPECT_EQ(FormatHex(1, 1000000).size(), 32u);
}

// A file's set value is taken only when it is the number it says, and its field carries it.
TEST(SetValueText, OnlyPlainDecimalsThatFitTheWriteCommand) {
    const struct {
        const char* text;
        int hexDigits;
        const char* problem;
    } cases[] = {
        {"+0250", 4, ""},
        {"-2147483648", 8, ""},
        {"2600junk", 4, "not a plain decimal integer"},
        {"0x10", 4, "not a plain decimal integer"},
        {" 5", 4, "not a plain decimal integer"},
        {"-", 4, "not a plain decimal integer"},
        {"65536", 4, "out of range (0 to 65535)"},
        {"-1", 4, "out of range (0 to 65535)"},
        {"4294967396", 8, "out of range (-2147483648 to 2147483647)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(English(SetValueTextProblem(c.text, c.hexDigits)), c.problem) << c.text;
}
