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

// The plain cases, long descriptions among them: serial.cases.
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
