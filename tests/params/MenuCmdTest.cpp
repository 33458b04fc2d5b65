#include <gtest/gtest.h>

#include "params/MenuCmdList.h"
#include "params/MenuUICmdItem.h"
#include "params/MenuWriteCmdItem.h"

TEST(MenuCmdParse, ReadTakesSixSubfieldsWriteSevenAndNumbersWrapToTheirWidth) {
    CMenuUICmdItem read;
    ASSERT_EQ(read.Parse("0A10;2;3;1;0;5"), 1);
    EXPECT_EQ(read.commandText, "0A10");
    EXPECT_EQ(read.timeout, 2000);
    EXPECT_EQ(read.retries, 3);
    EXPECT_TRUE(read.IsAtFrame());
    EXPECT_EQ(read.replyRequired, 0);
    EXPECT_EQ(read.valueFormat, 5);
    ASSERT_EQ(read.Parse("0A10;70;0;65537;1;0"), 1);
    EXPECT_EQ(read.timeout, 4464);  // 16-bit milliseconds
    EXPECT_TRUE(read.IsAtFrame());  // frame kind compared as 16 bits

    CMenuWriteCmdItem write;
    EXPECT_EQ(write.hexDigits, 4);
    ASSERT_EQ(write.Parse("1A10; 1;-2;0;1;0;8"), 1);
    EXPECT_EQ(write.hexDigits, 8);
    EXPECT_EQ(write.retries, 65534);  // 16 bits
    EXPECT_FALSE(write.IsAtFrame());
    EXPECT_EQ(CMenuWriteCmdItem().Parse("1A10;1;2;0;1;0"), 0);
    ASSERT_EQ(write.Parse("1A10;99999999999999999999;-99999999999;7;1;0;2147483647"), 1);
    EXPECT_EQ(write.hexDigits, 2147483647);
}

TEST(MenuCmdParse, RejectsWrongCountsEmptyTextAndNonNumbers) {
    for (const char* text :
         {"0A10;2;3;1;0", "0A10;2;3;1;0;5;4", "", ";1;0;0;1;0", "0A10;x;0;0;1;0", "0A10;4;x;0;1;0",
          "0A10;1;0;0;1;" /* a trailing empty field drops */}) {
        CMenuUICmdItem read;
        EXPECT_EQ(read.Parse(text), 0) << text;
        EXPECT_EQ(read.definition, "") << text << ": set only on success";
    }
}

TEST(MenuCmdList, TakesCommandsInGroupsOfFiveAndRefusesIncompleteGroups) {
    CMenuCmdList list;
    EXPECT_EQ(list.Parse("0B01;1;0;0;1"), 0);  // no group size: nothing parses
    list.groupSize = 5;
    ASSERT_EQ(list.Parse("0B01;1;0;0;1;0B02;2;1;1;0"), 1);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetAt(0)->commandText, "0B01");
    EXPECT_EQ(list.GetAt(1)->definition, "0B02;2;1;1;0");
    EXPECT_TRUE(list.GetAt(1)->IsAtFrame());
    EXPECT_EQ(list.GetAt(2), nullptr);
    // An incomplete group keeps the previous list.
    EXPECT_EQ(list.Parse("0B01;1;0;0;1;0B02;2;1;1"), 0);
    EXPECT_EQ(list.Parse("0B01;1;0;0;1;0B02;2"), 0);
    ASSERT_EQ(list.GetCount(), 2u);
    // A group that fails after the list was emptied keeps what was added before it.
    EXPECT_EQ(list.Parse("0C01;1;0;0;1;0C02;x;0;0;1"), 0);
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetAt(0)->commandText, "0C01");
    EXPECT_EQ(list.Parse(""), 1);
    EXPECT_EQ(list.GetCount(), 0u);
}
