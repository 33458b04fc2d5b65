#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "serial/PortList.h"
#include "serial/PortNames.h"
#include "serial/StablePortName.h"
#include "support/TempFolder.h"

namespace {

std::vector<std::string> Names(const CPortList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) {
        std::string name, description;
        EXPECT_TRUE(list.GetEntry(i, name, description));
        out.push_back(name);
    }
    return out;
}

}  // namespace

// The plain cases: serial.cases.
TEST(PortNames, NaturalOrderIsStrictAndBoundedAndLongDescriptionsAreCutWhole) {
    // Equal values with different leading zeros still order one way only.
    EXPECT_NE(NaturalLess("x01", "x1"), NaturalLess("x1", "x01"));
    // Runs far longer than any integer type do not overflow.
    const std::string big1 = "p" + std::string(40, '9');
    const std::string big2 = "p1" + std::string(40, '0');
    EXPECT_TRUE(NaturalLess(big1, big2));
    EXPECT_FALSE(NaturalLess(big2, big1));

    // A long string is bounded without cutting a two-byte character in half.
    std::string longText = "a";
    for (int i = 0; i < 200; ++i) longText += "\xC3\xA9";
    const std::string d = DescribePort("/dev/ttyUSB0", longText, "", "");
    EXPECT_LE(d.size(), 120u);
    EXPECT_GT(d.size(), 100u);
    EXPECT_EQ(d.back(), '\xA9');
}

TEST(PortList, KeepsNaturalOrderAndRefusesInvalidIndices) {
    CPortList list;
    std::string name = "unchanged", description;
    EXPECT_FALSE(list.GetEntry(0, name, description));
    EXPECT_EQ(name, "unchanged");
    list.Add("/dev/ttyUSB10", "ten");
    list.Add("/dev/ttyUSB2", "two");
    list.Add("/dev/ttyACM0", "acm");
    list.Add("/dev/ttyUSB2", "two again");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB2",
                                                     "/dev/ttyUSB10"}));
    int number = 0;
    ASSERT_TRUE(list.GetEntry(2, number, name, description));
    EXPECT_EQ(description, "two again");
    ASSERT_TRUE(list.GetEntry(3, number, name, description));
    EXPECT_EQ(number, 10);
    EXPECT_FALSE(list.GetEntry(-1, name, description));
    EXPECT_FALSE(list.GetEntry(4, number, name, description));
}

TEST(PortList, EnumerationOfThisMachineIsSortedAndHasDevicePaths) {
    CPortList list;
    list.Add("stale", "");
    ASSERT_TRUE(list.Enumerate());
    const std::vector<std::string> names = Names(list);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), NaturalLess));
    for (const std::string& n : names) EXPECT_EQ(n.rfind("/dev/", 0), 0u) << n;
}

TEST(StablePortName, FindsTheByIdLinkOfADeviceAndNothingForOthers) {
    TempFolder dir;
    const std::string device = dir.Write("ttyUSB3", "");
    const std::string other = dir.Write("ttyUSB4", "");
    const std::string byId = dir.File("by-id");
    std::filesystem::create_directories(byId);
    std::filesystem::create_symlink("../ttyUSB3", byId + "/usb-Maker_Cable_B-if00-port0");
    std::filesystem::create_symlink("../ttyUSB3", byId + "/usb-Maker_Cable_A-if00-port0");
    std::filesystem::create_symlink("../gone", byId + "/usb-Dangling");

    EXPECT_EQ(StablePortName(device, byId), byId + "/usb-Maker_Cable_A-if00-port0");
    EXPECT_EQ(StablePortName(other, byId), "");
    EXPECT_EQ(StablePortName(dir.File("missing"), byId), "");
    EXPECT_EQ(StablePortName(device, dir.File("no-such-folder")), "");
}
