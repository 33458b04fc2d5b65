#include <gtest/gtest.h>

#include "protocol/SignedValue.h"

namespace {

TEST(FrameSignedValue, EncodesTheFourCharacterForm) {
    EXPECT_EQ(EncodeSignedValue("12"), "0012");
    EXPECT_EQ(EncodeSignedValue("9999"), "9999");
    EXPECT_EQ(EncodeSignedValue("0"), "0000");
    EXPECT_EQ(EncodeSignedValue("-5"), "F005");
    EXPECT_EQ(EncodeSignedValue("-999"), "F999");
    EXPECT_EQ(EncodeSignedValue("-1000"), "A000");
    EXPECT_EQ(EncodeSignedValue("-1999"), "A999");
}

TEST(FrameSignedValue, EncodeRefusesWhatDoesNotFit) {
    for (const char* text :
         {"", "-", "-2000", "10000", "-10000", "12345", "1.5", "+5", " 5", "5a", "--5"})
        EXPECT_EQ(EncodeSignedValue(text), "") << text;
}

TEST(FrameSignedValue, Decodes) {
    EXPECT_EQ(DecodeSignedValue("F005"), "-5");
    EXPECT_EQ(DecodeSignedValue("F050"), "-50");
    EXPECT_EQ(DecodeSignedValue("A999"), "-1999");
    EXPECT_EQ(DecodeSignedValue("A000"), "-1000");
    EXPECT_EQ(DecodeSignedValue("0012"), "12");
    EXPECT_EQ(DecodeSignedValue("1000"), "1000");
    EXPECT_EQ(DecodeSignedValue(""), "");
}

TEST(FrameSignedValue, ZeroDecodesAsZeroNotAsNoValue) {
    EXPECT_EQ(DecodeSignedValue("0000"), "0");
    EXPECT_EQ(DecodeSignedValue("F000"), "0");
}

TEST(FrameSignedValue, EveryValueRoundTrips) {
    for (int value = -1999; value <= 9999; ++value) {
        const std::string text = std::to_string(value);
        ASSERT_EQ(DecodeSignedValue(EncodeSignedValue(text)), text);
    }
}

}  // namespace
