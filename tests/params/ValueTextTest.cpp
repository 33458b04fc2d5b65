#include <gtest/gtest.h>

#include "params/DecimalPoint.h"
#include "params/HexNumber.h"

TEST(DecimalPlaces, CountsWholeDivisionsByTen) {
    EXPECT_EQ(DecimalPlacesFromScale(0), 0);
    EXPECT_EQ(DecimalPlacesFromScale(1), 0);
    EXPECT_EQ(DecimalPlacesFromScale(9), 0);
    EXPECT_EQ(DecimalPlacesFromScale(10), 1);
    EXPECT_EQ(DecimalPlacesFromScale(50), 1);
    EXPECT_EQ(DecimalPlacesFromScale(99), 1);
    EXPECT_EQ(DecimalPlacesFromScale(100), 2);
    EXPECT_EQ(DecimalPlacesFromScale(1000), 3);
    EXPECT_EQ(DecimalPlacesFromScale(-100), 0);
}

TEST(ScaleToInteger, FillsCutsAndRemovesTheSeparator) {
    EXPECT_EQ(ScaleToInteger("12.5", 2, '.'), "1250");
    EXPECT_EQ(ScaleToInteger("12.345", 2, '.'), "1234");  // truncated, not rounded
    EXPECT_EQ(ScaleToInteger("7", 2, '.'), "700");
    EXPECT_EQ(ScaleToInteger("-0.5", 1, '.'), "-05");
    EXPECT_EQ(ScaleToInteger("12.9", 0, '.'), "12");
    EXPECT_EQ(ScaleToInteger("", 1, '.'), "0");
    // A separator other than the locale's stays; the later number read stops at it.
    EXPECT_EQ(ScaleToInteger("12,5", 1, '.'), "12,50");
}

TEST(ApplyDecimalPoint, PlacesThePointAndPadsSmallValues) {
    EXPECT_EQ(ApplyDecimalPoint("1234", 2, '.'), "12.34");
    EXPECT_EQ(ApplyDecimalPoint("-5", 2, '.'), "-0.05");
    EXPECT_EQ(ApplyDecimalPoint("5", 1, '.'), "0.5");
    EXPECT_EQ(ApplyDecimalPoint("123", 0, '.'), "123");
    EXPECT_EQ(ApplyDecimalPoint("123", 3, ','), "0,123");
    EXPECT_EQ(ApplyDecimalPoint("", 1, '.'), "0.0");
}

TEST(TrimTrailingDecimals, OnlyTouchesDecimals) {
    EXPECT_EQ(TrimTrailingDecimals("12.30", '.'), "12.3");
    EXPECT_EQ(TrimTrailingDecimals("12.0", '.'), "12");
    EXPECT_EQ(TrimTrailingDecimals("1200", '.'), "1200");
    EXPECT_EQ(TrimTrailingDecimals("0.00", '.'), "0");
}

TEST(ScanHex, ReadsLikeAHexScan) {
    uint32_t value = 7;
    EXPECT_TRUE(ScanHex("FFFF", value));
    EXPECT_EQ(value, 0xFFFFu);
    EXPECT_TRUE(ScanHex("  04d2xyz", value));
    EXPECT_EQ(value, 0x4D2u);
    EXPECT_TRUE(ScanHex("0x1F", value));
    EXPECT_EQ(value, 0x1Fu);
    EXPECT_TRUE(ScanHex("0xZ", value));  // the "0" is the number
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(ScanHex("-1", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_TRUE(ScanHex("123456789ABCDEF", value));  // keeps the low 32 bits
    EXPECT_EQ(value, 0x89ABCDEFu);

    value = 7;
    EXPECT_FALSE(ScanHex("XYZ", value));
    EXPECT_FALSE(ScanHex("", value));
    EXPECT_FALSE(ScanHex("-", value));
    EXPECT_EQ(value, 7u);
}

TEST(FormatHex, PadsToTheDigitCountWithinBounds) {
    EXPECT_EQ(FormatHex(1234, 4), "04D2");
    EXPECT_EQ(FormatHex(0xFFFFFFFFu, 4), "FFFFFFFF");
    EXPECT_EQ(FormatHex(10, 0), "A");
    EXPECT_EQ(FormatHex(10, -3), "A");
    EXPECT_EQ(FormatHex(1, 1000000).size(), 32u);
}
