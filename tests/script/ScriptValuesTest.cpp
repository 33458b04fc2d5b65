// Literal readers at their edges; the statements that use them are covered by the case files.
#include <gtest/gtest.h>

#include "script/ScriptLiterals.h"

TEST(Literals, NumbersWrapTo32BitsAndStopAtTheFirstOtherCharacter) {
    const struct {
        ReadNumber (*reader)(const std::string&);
        const char* text;
        uint32_t value;
    } read[] = {
        {ReadDecimalText, "-1", 0xFFFFFFFFu}, {ReadDecimalText, "4294967296", 0u},
        {ReadDecimalText, " 12x", 12u},       {ReadHexText, " \t1fZ9", 0x1Fu},
        {ReadHexText, "0x1F", 0x1Fu},         {ReadHexText, "123456789", 0x23456789u},
        {ReadHexText, "-1", 0xFFFFFFFFu},     {ReadHexText, "0xZ", 0u},  // the "0" is the number
    };
    for (const auto& c : read) {
        const ReadNumber number = c.reader(c.text);
        EXPECT_TRUE(number.read) << c.text;
        EXPECT_EQ(number.value, c.value) << c.text;
    }
    for (const char* text : {"", "-"}) {
        EXPECT_FALSE(ReadDecimalText(text).read) << text;
        EXPECT_FALSE(ReadHexText(text).read) << text;
    }
    EXPECT_FALSE(ReadHexText("xyz").read);
}

TEST(Literals, QuotedValuesAndTrimming) {
    EXPECT_EQ(QuotedChar("'"), 0);
    EXPECT_EQ(QuotedChar("'\xE9'"), 0xE9);
    EXPECT_EQ(QuotedText("\""), "");
    EXPECT_EQ(CharText(0), "");
    EXPECT_EQ(CharText(0x141), "A");
    EXPECT_EQ(TrimScriptText(" \t\r\n\v\fx y\f"), "x y");
}
