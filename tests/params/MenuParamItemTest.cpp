#include <gtest/gtest.h>

#include "params/MenuParamItem.h"
#include "params/RoutineName.h"

namespace {

// Format 0 is hexadecimal, 1 signed, 2 no value; read and write use the same one here.
CMenuParamItem ItemWith(int format, int32_t scale, int digits = 4) {
    CMenuParamItem item;
    item.readCommand.valueFormat = format;
    item.writeCommand.valueFormat = format;
    item.writeCommand.hexDigits = digits;
    item.scale = scale;
    item.decimalSeparator = '.';
    return item;
}

struct ConversionCase {
    int format;
    int32_t scale;
    const char* from;
    const char* to;
};

}  // namespace

TEST(SetValueConversion, RawIsHexadecimalSetValueDecimal) {
    CMenuParamItem item = ItemWith(0, 0);
    EXPECT_EQ(item.RawToSetValue("FFFF"), "65535");
    EXPECT_EQ(item.RawToSetValue("FFFFFFFF"), "-1");
    EXPECT_EQ(item.RawToSetValue("XYZ"), "");
    EXPECT_EQ(item.RawToSetValue(""), "");
    EXPECT_EQ(item.SetValueToRaw("1234"), "04D2");
    EXPECT_EQ(item.SetValueToRaw("-1"), "FFFFFFFF");
    EXPECT_EQ(item.SetValueToRaw("abc"), "");
    EXPECT_EQ(ItemWith(0, 0, 8).SetValueToRaw("255"), "000000FF");

    CMenuParamItem signedItem = ItemWith(1, 10);
    EXPECT_EQ(signedItem.SetValueToRaw(signedItem.RawToSetValue("F005")), "F005");
}

TEST(ValueTexts, DisplayAndDeviceTextsPlaceThePointBySignScaleAndFormat) {
    const auto display = &CMenuParamItem::ToDisplayText;
    // Set values are the hexadecimal reading of the answer, as a file, an export or a
    // difference holds them; one that no signed field reads as shows as it stands.
    const auto setValue = &CMenuParamItem::SetValueDisplayText;
    const auto device = &CMenuParamItem::ToDeviceText;  // scaled, then encoded as written
    const struct {
        std::string (CMenuParamItem::*convert)(const std::string&) const;
        ConversionCase c;
    } cases[] = {
        {display, {1, 10, "0123", "12.3"}},     {display, {1, 10, "0120", "12"}},
        {display, {1, 10, "F005", "-0.5"}},     {display, {1, 10, "A999", "-199.9"}},
        {display, {1, 100, "0005", "0.05"}},    {display, {1, 0, "0120", "120"}},
        {display, {1, 0, "F000", "0"}},         {display, {1, 10, "0000", "0"}},
        {display, {0, 10, "04D2", "123.4"}},    {display, {0, 10, "0078", "12.0"}},
        {display, {0, 0, "FFFFFFFF", "-1"}},    {display, {0, 0, "??", ""}},
        {display, {1, 0, "0000", "0"}},         {display, {2, 10, "0123", ""}},
        {setValue, {1, 10, "291", "12.3"}},     {setValue, {1, 10, "288", "12.0"}},
        {setValue, {0, 10, "120", "12.0"}},     {setValue, {1, 10, "61445", "-0.5"}},
        {setValue, {1, 10, "43417", "-199.9"}}, {setValue, {1, 0, "61440", "0"}},
        {setValue, {1, 10, "1234", "123.4"}},   {setValue, {1, 100, "-1", "-0.01"}},
        {setValue, {1, 10, "65536", "6553.6"}}, {setValue, {1, 10, "", ""}},
        {device, {0, 0, "1234", "04D2"}},       {device, {0, 10, "123.4", "04D2"}},
        {device, {0, 10, "123.45", "04D2"}},  // cut
        {device, {0, 0, "-2", "FFFFFFFE"}},     {device, {0, 0, "abc", "0000"}},
        {device, {0, 10, "12,5", "000C"}},      {device, {1, 10, "-0.5", "F005"}},
        {device, {1, 0, "12", "0012"}},         {device, {1, 0, "-2000", ""}},  // too big
        {device, {2, 10, "12.3", ""}},
    };
    for (const auto& [convert, c] : cases) {
        EXPECT_EQ((ItemWith(c.format, c.scale).*convert)(c.from), c.to)
            << c.format << " " << c.scale << " " << c.from;
    }
}

TEST(WriteValue, RefusesWhatTheFieldCannotCarry) {
    struct SCase {
        int format;
        int32_t scale;
        int digits;
        const char* text;
        const char* problem;  // a part of the reason; empty: accepted
    };
    const SCase cases[] = {
        {0, 0, 4, "65535", ""},
        {0, 0, 4, "65536", "out of the parameter's range (0 to 65535)"},
        {0, 0, 4, "-2", "out of the parameter's range"},
        {0, 0, 8, "-2", ""},
        {0, 10, 4, "12.3", ""},
        {0, 10, 4, "+12", ""},
        {0, 10, 4, "12.34", ""},
        {0, 10, 4, "6553.59", ""},
        {0, 10, 4, "6553.6", "(0.0 to 6553.5)"},
        {0, 0, 4, "abc", "\"abc\" is not a number"},
        {0, 0, 4, "1e3", "is not a number"},
        {0, 0, 4, "", "is not a number"},
        {0, 0, 4, "-", "is not a number"},
        {0, 0, 4, " 12", "is not a number"},
        {0, 10, 4, "1.2.3", "is not a number"},
        {0, 0, 4, "99999999999999999999999", "out of the parameter's range"},
        {1, 0, 4, "9999", ""},
        {1, 0, 4, "-1999", ""},
        {1, 0, 4, "-2000", "(-1999 to 9999)"},
        {1, 10, 4, "1000.0", "(-199.9 to 999.9)"},
        {2, 0, 4, "1", "takes no value"},
    };
    for (const SCase& c : cases) {
        const std::string problem =
            English(ItemWith(c.format, c.scale, c.digits).WriteValueProblem(c.text));
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "") << c.text;
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text << ": " << problem;
    }
}

TEST(ParamItemState, CopiesAreDeep) {
    CMenuParamItem item;
    ASSERT_EQ(item.writeEnterList.Parse("0B01;1;0;0;1"), 1);
    CMenuParamItem copy = item;
    item.writeEnterList.Clear();
    ASSERT_EQ(copy.writeEnterList.GetCount(), 1u);
    EXPECT_EQ(copy.writeEnterList.GetAt(0)->commandText, "0B01");
}

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
