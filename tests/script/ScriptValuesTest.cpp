#include <gtest/gtest.h>

#include "script/ScriptLiterals.h"
#include "script/VarTable.h"

TEST(VarItem, NumberAndTextFollowTheType) {
    CVarItem item;
    EXPECT_EQ(item.Type(), kTypeNone);

    item.Set("b", kTypeByte, 300);
    EXPECT_EQ(item.GetNumber(), 300u);  // no masking by width
    EXPECT_EQ(item.GetString(), "");
    EXPECT_TRUE(item.IsNumeric());

    item.Set("s", kTypeString, 5);
    EXPECT_EQ(item.GetNumber(), 0u);
    item.SetNumber(7);
    EXPECT_EQ(item.GetNumber(), 0u);

    item.Set("c", kTypeChar, 'A');
    EXPECT_FALSE(item.IsNumeric());
    EXPECT_EQ(item.GetNumber(), 65u);

    // SetString turns any variable into a STRING under its own name.
    item.SetString("text");
    EXPECT_EQ(item.Type(), kTypeString);
    EXPECT_EQ(item.Name(), "c");
    EXPECT_EQ(item.GetNumber(), 0u);

    item.Reset();
    EXPECT_EQ(item.Name(), "");
    EXPECT_EQ(item.GetString(), "");
}

TEST(VarTable, AddsEachNameOnceWithAValidType) {
    CVarTable table;
    EXPECT_TRUE(table.Add("x", kTypeWord));
    EXPECT_FALSE(table.Add("x", kTypeInt));
    EXPECT_FALSE(table.Add("y", 8));
    EXPECT_FALSE(table.Add("y", kTypeNone));
    EXPECT_TRUE(table.Add("X", kTypeString));
    EXPECT_TRUE(table.IsOfType("x", kTypeWord));
    EXPECT_TRUE(table.IsOfType("X", kTypeString));
    EXPECT_FALSE(table.IsOfType("z", kTypeWord));
    table.RemoveAll();
    EXPECT_EQ(table.Lookup("x"), nullptr);
}

TEST(Literals, FormTests) {
    EXPECT_TRUE(IsDecimalText(""));
    EXPECT_TRUE(IsDecimalText("-"));
    EXPECT_TRUE(IsDecimalText("-12"));
    EXPECT_FALSE(IsDecimalText("1-2"));
    EXPECT_FALSE(IsDecimalText("+1"));
    EXPECT_TRUE(IsHexText("0x"));
    EXPECT_TRUE(IsHexText("0XaF09"));
    EXPECT_FALSE(IsHexText("0xG"));
    EXPECT_FALSE(IsHexText("x1"));
    EXPECT_TRUE(IsSingleQuoted("'"));
    EXPECT_TRUE(IsDoubleQuoted("\"a,b\""));
    EXPECT_FALSE(IsDoubleQuoted("\"a"));
    EXPECT_FALSE(IsComparisonText("="));
    EXPECT_FALSE(IsComparisonText("=>"));
    EXPECT_FALSE(IsFormatLetter("x"));
    EXPECT_FALSE(IsFormatLetter("D"));
}

TEST(Literals, DecimalReadingWrapsTo32Bits) {
    EXPECT_EQ(ReadDecimalText("-1").value, 0xFFFFFFFFu);
    EXPECT_EQ(ReadDecimalText("4294967296").value, 0u);
    EXPECT_EQ(ReadDecimalText(" 12x").value, 12u);
    EXPECT_FALSE(ReadDecimalText("-").read);
    EXPECT_FALSE(ReadDecimalText("").read);
}

TEST(Literals, HexReadingStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(ReadHexText("12C").value, 0x12Cu);
    EXPECT_EQ(ReadHexText(" \t1fZ9").value, 0x1Fu);
    EXPECT_EQ(ReadHexText("0x1F").value, 0x1Fu);
    EXPECT_EQ(ReadHexText("123456789").value, 0x23456789u);
    EXPECT_EQ(ReadHexText("-1").value, 0xFFFFFFFFu);
    const ReadNumber zeroThenX = ReadHexText("0xZ");
    EXPECT_TRUE(zeroThenX.read);
    EXPECT_EQ(zeroThenX.value, 0u);
    EXPECT_FALSE(ReadHexText("xyz").read);
    EXPECT_FALSE(ReadHexText("").read);
    EXPECT_FALSE(ReadHexText("-").read);
}

TEST(Literals, QuotedValues) {
    EXPECT_EQ(QuotedChar("'A'"), 'A');
    EXPECT_EQ(QuotedChar("'"), 0);
    EXPECT_EQ(QuotedChar("'\xE9'"), 0xE9);
    EXPECT_EQ(QuotedText("\"abc\""), "abc");
    EXPECT_EQ(QuotedText("\""), "");
    EXPECT_EQ(CharText(0), "");
    EXPECT_EQ(CharText(0x141), "A");
    EXPECT_EQ(TrimScriptText(" \t\r\n\v\fx y\f"), "x y");
}
