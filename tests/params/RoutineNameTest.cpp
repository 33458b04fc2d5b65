#include <gtest/gtest.h>

#include "params/MenuParamItem.h"
#include "params/RoutineName.h"

TEST(RoutineName, SumsSignedBytesAndTheNumber) {
    CMenuParamItem item;
    item.number = 12;
    item.conditionText = "abc";
    item.scaleText = "abc";
    EXPECT_EQ(ConditionRoutineName(item), "00000132");
    EXPECT_EQ(ScaleRoutineName(item), "00010132");

    item.conditionText = "\xff";  // -1, not 255
    EXPECT_EQ(ConditionRoutineName(item), "0000000B");
    item.number = 0;
    item.conditionText = "\x80\x80";
    EXPECT_EQ(ConditionRoutineName(item), "FFFFFF00");
    item.number = -1;
    item.scaleText = "";
    EXPECT_EQ(ScaleRoutineName(item), "0000FFFF");
}
