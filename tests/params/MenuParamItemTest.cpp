#include <gtest/gtest.h>

#include "params/MenuParamItem.h"

namespace {

CMenuParamItem ItemWithFormats(int readFormat, int writeFormat, int32_t scale, int digits = 4) {
    CMenuParamItem item;
    item.readCommand.valueFormat = readFormat;
    item.writeCommand.valueFormat = writeFormat;
    item.writeCommand.hexDigits = digits;
    item.scale = scale;
    item.decimalSeparator = '.';
    return item;
}

}  // namespace

TEST(SetValueConversion, RawIsHexadecimalSetValueDecimal) {
    CMenuParamItem item = ItemWithFormats(0, 0, 0);
    EXPECT_EQ(item.RawToSetValue("FFFF"), "65535");
    EXPECT_EQ(item.RawToSetValue("FFFFFFFF"), "-1");
    EXPECT_EQ(item.RawToSetValue("XYZ"), "");
    EXPECT_EQ(item.RawToSetValue(""), "");

    EXPECT_EQ(item.SetValueToRaw("1234"), "04D2");
    EXPECT_EQ(item.SetValueToRaw("-1"), "FFFFFFFF");
    EXPECT_EQ(item.SetValueToRaw("abc"), "");
    EXPECT_EQ(ItemWithFormats(0, 0, 0, 8).SetValueToRaw("255"), "000000FF");
}

TEST(SetValueConversion, SignedValuesRoundTripThroughTheirHexPattern) {
    CMenuParamItem item = ItemWithFormats(1, 1, 10);
    std::string setValue = item.RawToSetValue("F005");
    EXPECT_EQ(item.SetValueToRaw(setValue), "F005");
}

TEST(DisplayText, SignedFormatPlacesThePointAndDropsTrailingZeros) {
    CMenuParamItem oneDecimal = ItemWithFormats(1, 1, 10);
    EXPECT_EQ(oneDecimal.ToDisplayText("0123"), "12.3");
    EXPECT_EQ(oneDecimal.ToDisplayText("0120"), "12");
    EXPECT_EQ(oneDecimal.ToDisplayText("F005"), "-0.5");
    EXPECT_EQ(oneDecimal.ToDisplayText("A999"), "-199.9");
    EXPECT_EQ(ItemWithFormats(1, 1, 100).ToDisplayText("0005"), "0.05");
    EXPECT_EQ(ItemWithFormats(1, 1, 0).ToDisplayText("0120"), "120");
}

TEST(DisplayText, SignedZeroShowsAsZero) {
    EXPECT_EQ(ItemWithFormats(1, 1, 0).ToDisplayText("0000"), "0");
    EXPECT_EQ(ItemWithFormats(1, 1, 0).ToDisplayText("F000"), "0");
    EXPECT_EQ(ItemWithFormats(1, 1, 10).ToDisplayText("0000"), "0");
}

TEST(DisplayText, HexadecimalFormatKeepsItsDecimals) {
    EXPECT_EQ(ItemWithFormats(0, 0, 10).ToDisplayText("04D2"), "123.4");
    EXPECT_EQ(ItemWithFormats(0, 0, 10).ToDisplayText("0078"), "12.0");
    EXPECT_EQ(ItemWithFormats(0, 0, 0).ToDisplayText("FFFFFFFF"), "-1");
    EXPECT_EQ(ItemWithFormats(0, 0, 0).ToDisplayText("??"), "");
}

TEST(DisplayText, NoValueFormatIsAlwaysEmpty) {
    EXPECT_EQ(ItemWithFormats(2, 2, 10).ToDisplayText("0123"), "");
    EXPECT_EQ(ItemWithFormats(2, 2, 10).ToDeviceText("12.3"), "");
}

TEST(DeviceText, ScalesThenEncodesByTheWriteFormat) {
    EXPECT_EQ(ItemWithFormats(0, 0, 0).ToDeviceText("1234"), "04D2");
    EXPECT_EQ(ItemWithFormats(0, 0, 10).ToDeviceText("123.4"), "04D2");
    EXPECT_EQ(ItemWithFormats(0, 0, 10).ToDeviceText("123.45"), "04D2");  // truncated
    EXPECT_EQ(ItemWithFormats(0, 0, 0).ToDeviceText("-2"), "FFFFFFFE");
    EXPECT_EQ(ItemWithFormats(0, 0, 0).ToDeviceText("abc"), "0000");
    EXPECT_EQ(ItemWithFormats(1, 1, 10).ToDeviceText("-0.5"), "F005");
    EXPECT_EQ(ItemWithFormats(1, 1, 0).ToDeviceText("12"), "0012");
    EXPECT_EQ(ItemWithFormats(1, 1, 0).ToDeviceText("-2000"), "");  // not representable
}

TEST(DeviceText, ForeignSeparatorStopsTheNumber) {
    EXPECT_EQ(ItemWithFormats(0, 0, 10).ToDeviceText("12,5"), "000C");
}

TEST(ParamItemState, ExistsFollowsTheConditionOnlyWhenThereIsOne) {
    CMenuParamItem item;
    EXPECT_EQ(item.valid, 1);
    EXPECT_EQ(item.Exists(), 1);
    item.condition = 1;
    EXPECT_EQ(item.Exists(), 0);
    item.exists = 1;
    item.scale = 100;
    EXPECT_EQ(item.Exists(), 1);
    item.ResetDerived();
    EXPECT_EQ(item.exists, 0);
    EXPECT_EQ(item.scale, 0);
}

TEST(ParamItemState, CopiesAreDeep) {
    CMenuParamItem item;
    ASSERT_EQ(item.writeEnterList.Parse("0B01;1;0;0;1"), 1);
    CMenuParamItem copy = item;
    item.writeEnterList.Clear();
    ASSERT_EQ(copy.writeEnterList.GetCount(), 1u);
    EXPECT_EQ(copy.writeEnterList.GetAt(0)->commandText, "0B01");
}
