#include <gtest/gtest.h>

#include <string>

#include "protocol/Mnemonics.h"

namespace {

TEST(MnemonicParse, NamesHexBytesAndBrokenTokens) {
    EXPECT_EQ(ParseMnemonics("[STX]010000503[ETX]"),
              "\x02"
              "010000503\x03");
    EXPECT_EQ(ParseMnemonics("[stx][02h][del][NUL]"), std::string("\x02\x02\x7F\x00", 4));
    EXPECT_EQ(ParseMnemonics("[1FFH]"), "\xFF") << "the low byte";
    EXPECT_EQ(ParseMnemonics("[xyz]"), "XYZ");
    EXPECT_EQ(ParseMnemonics("a[]b"), "ab");
    EXPECT_EQ(ParseMnemonics("[ZZH]1"), "ZZH]1") << "only the [ is dropped";
    EXPECT_EQ(ParseMnemonics("[STX"), "[STX") << "no closing bracket: as typed";
    EXPECT_EQ(ParseMnemonics("[[STX]"), "[STX");
    EXPECT_EQ(ParseMnemonics("[1Z H][ETX]"), "1Z H]\x03");
}

TEST(MnemonicShow, ControlBytesBecomeNamesAndRoundTrip) {
    EXPECT_EQ(ShowMnemonics("\x02"
                            "01\x03\x7F"
                            "A"),
              "[STX]01[ETX]\x7F"
              "A");
    EXPECT_EQ(ShowMnemonics(std::string("\x00\x0D\x1F\x20", 4)), "[NUL][CR][US] ");
    for (int byte = 0; byte < 0x20; ++byte) {
        const std::string raw(1, static_cast<char>(byte));
        EXPECT_EQ(ParseMnemonics(ShowMnemonics(raw)), raw) << byte;
    }
}

}  // namespace
