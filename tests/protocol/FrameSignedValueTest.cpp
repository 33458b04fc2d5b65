#include <gtest/gtest.h>

#include <string>

#include "protocol/SignedValue.h"

namespace {

TEST(FrameSignedValue, FourCharacterFormBothWays) {
    const char* const pairs[][2] = {
        {"12", "0012"}, {"-5", "F005"}, {"-999", "F999"}, {"-1000", "A000"}, {"-1999", "A999"}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(EncodeSignedValue(pair[0]), pair[1]) << pair[0];
        EXPECT_EQ(DecodeSignedValue(pair[1]), pair[0]) << pair[1];
    }
    EXPECT_EQ(DecodeSignedValue(""), "");
    // Zero decodes as zero, not as no value.
    EXPECT_EQ(DecodeSignedValue("0000"), "0");
    EXPECT_EQ(DecodeSignedValue("F000"), "0");
    for (int value = -1999; value <= 9999; ++value) {
        const std::string text = std::to_string(value);
        ASSERT_EQ(DecodeSignedValue(EncodeSignedValue(text)), text);
    }
}

TEST(FrameSignedValue, EncodeRefusesWhatDoesNotFit) {
    for (const char* text :
         {"", "-", "-2000", "10000", "-10000", "12345", "1.5", "+5", " 5", "5a", "--5"})
        EXPECT_EQ(EncodeSignedValue(text), "") << text;
}

}  // namespace
