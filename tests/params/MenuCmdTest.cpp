#include <gtest/gtest.h>

#include "params/MenuCmdList.h"
#include "params/MenuUICmdItem.h"
#include "params/MenuWriteCmdItem.h"

TEST(MenuCmdParse, ReadCommandTakesExactlySixSubfields) {
    CMenuUICmdItem read;
    ASSERT_EQ(read.Parse("0A10;2;3;1;0;5"), 1);
    EXPECT_EQ(read.definition, "0A10;2;3;1;0;5");
    EXPECT_EQ(read.commandText, "0A10");
    EXPECT_EQ(read.timeout, 2000);
    EXPECT_EQ(read.retries, 3);
    EXPECT_TRUE(read.IsAtFrame());
    EXPECT_EQ(read.replyRequired, 0);
    EXPECT_EQ(read.valueFormat, 5);

    EXPECT_EQ(CMenuUICmdItem().Parse("0A10;2;3;1;0"), 0);
    EXPECT_EQ(CMenuUICmdItem().Parse("0A10;2;3;1;0;5;4"), 0);
}

TEST(MenuCmdParse, WriteCommandTakesSevenSubfields) {
    CMenuWriteCmdItem write;
    EXPECT_EQ(write.hexDigits, 4);
    ASSERT_EQ(write.Parse("1A10; 1;-2;0;1;0;8"), 1);
    EXPECT_EQ(write.hexDigits, 8);
    EXPECT_EQ(write.retries, 65534);  // 16 bits
    EXPECT_FALSE(write.IsAtFrame());
    EXPECT_EQ(CMenuWriteCmdItem().Parse("1A10;1;2;0;1;0"), 0);
}

TEST(MenuCmdParse, TimeoutWrapsInSixteenBitMilliseconds) {
    CMenuUICmdItem read;
    ASSERT_EQ(read.Parse("0A10;70;0;0;1;0"), 1);
    EXPECT_EQ(read.timeout, 4464);
}

TEST(MenuCmdParse, FrameKindIsComparedAsSixteenBits) {
    CMenuUICmdItem read;
    ASSERT_EQ(read.Parse("0A10;1;0;65537;1;0"), 1);
    EXPECT_TRUE(read.IsAtFrame());
}

TEST(MenuCmdParse, RejectsEmptyTextAndNonNumbers) {
    EXPECT_EQ(CMenuUICmdItem().Parse(""), 0);
    EXPECT_EQ(CMenuUICmdItem().Parse(";1;0;0;1;0"), 0);
    EXPECT_EQ(CMenuUICmdItem().Parse("0A10;x;0;0;1;0"), 0);
    EXPECT_EQ(CMenuUICmdItem().Parse("0A10;1;0;0;1;"), 0);  // trailing empty field is dropped

    // Fields read before the failure keep their values; the definition is set only on success.
    CMenuUICmdItem read;
    EXPECT_EQ(read.Parse("0A10;4;x;0;1;0"), 0);
    EXPECT_EQ(read.commandText, "0A10");
    EXPECT_EQ(read.timeout, 4000);
    EXPECT_EQ(read.retries, 65535);
    EXPECT_EQ(read.definition, "");
}

TEST(MenuCmdParse, AbsurdNumbersWrapWithoutFault) {
    CMenuWriteCmdItem write;
    ASSERT_EQ(write.Parse("1A10;99999999999999999999;-99999999999;7;1;0;2147483647"), 1);
    EXPECT_EQ(write.hexDigits, 2147483647);
}

TEST(MenuCmdList, TakesCommandsInGroupsOfFive) {
    CMenuCmdList list;
    list.groupSize = 5;
    ASSERT_EQ(list.Parse("0B01;1;0;0;1;0B02;2;1;1;0"), 1);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetAt(0)->commandText, "0B01");
    EXPECT_EQ(list.GetAt(1)->definition, "0B02;2;1;1;0");
    EXPECT_TRUE(list.GetAt(1)->IsAtFrame());
    EXPECT_EQ(list.GetAt(2), nullptr);
}

TEST(MenuCmdList, RejectsIncompleteGroupsAndKeepsThePreviousList) {
    CMenuCmdList list;
    list.groupSize = 5;
    ASSERT_EQ(list.Parse("0B01;1;0;0;1"), 1);
    EXPECT_EQ(list.Parse("0B01;1;0;0;1;0B02;2;1;1"), 0);
    EXPECT_EQ(list.Parse("0B01;1;0;0;1;0B02;2"), 0);
    ASSERT_EQ(list.GetCount(), 1u);

    // A group that fails after the list was emptied keeps what was added before it.
    EXPECT_EQ(list.Parse("0C01;1;0;0;1;0C02;x;0;0;1"), 0);
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetAt(0)->commandText, "0C01");
}

TEST(MenuCmdList, EmptyTextGivesAnEmptyList) {
    CMenuCmdList list;
    list.groupSize = 5;
    list.Parse("0B01;1;0;0;1");
    EXPECT_EQ(list.Parse(""), 1);
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(MenuCmdList, WithoutGroupSizeNothingParses) {
    CMenuCmdList list;
    EXPECT_EQ(list.Parse(""), 0);
    EXPECT_EQ(list.Parse("0B01;1;0;0;1"), 0);
}
