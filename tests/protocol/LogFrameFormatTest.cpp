#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "protocol/CommLog.h"
#include "protocol/FrameLogFormat.h"

namespace {

const std::string kStx(1, '\x02');
const std::string kEtx(1, '\x03');

TEST(FormatQuadrelFrameTest, ShowsControlBytesAndTheBccInHex) {
    EXPECT_EQ(FormatQuadrelFrame(1, kStx + "010000503" + kEtx + "4"),
              "SEND--> [STX]010000503[ETX](0x34)");
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "01 \r\x7f\x80" + kEtx + "\x15"),
              "RECV--> [STX]01 (0x0D)(0x7F)(0x80)[ETX](0x15)");
    EXPECT_EQ(FormatQuadrelFrame(2, ""), "RECV--> ");
    // A zero BCC is shown once, whether it is part of the text or ended it.
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "0100" + kEtx), "RECV--> [STX]0100[ETX](0x00)");
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "0100" + kEtx + std::string(1, '\0')),
              "RECV--> [STX]0100[ETX](0x00)");
    // A BCC equal to ETX is a real last byte, not a lost zero.
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "0100" + kEtx + kEtx), "RECV--> [STX]0100[ETX](0x03)");
    EXPECT_EQ(FormatQuadrelFrame(1, std::string("AB\0CD", 5)), "SEND--> A(0x42)");
}

TEST(FormatAtFrameTest, FcsDigitsBecomeOneToken) {
    EXPECT_EQ(FormatAtFrame(1, "@01RD000000015A*\r"), "SEND--> @01RD00000001[FCS]*(0x0D)");
    EXPECT_EQ(FormatAtFrame(0, std::string("@\x02") + "FF*\r"), "RECV--> @(0x02)[FCS]*(0x0D)");
    EXPECT_EQ(FormatAtFrame(0, "2*\r"), "RECV--> 2*(0x0D)");
    EXPECT_EQ(FormatAtFrame(1, ""), "SEND--> ");
}

TEST(FormatEventLineTest, LocalTimeThenMessage) {
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz != nullptr ? oldTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2026-03-04 05:06:07 UTC
    EXPECT_EQ(FormatEventLine(1772600767, "VEXA start."), "2026/03/04 05:06:07 VEXA start.\n");
    oldTz != nullptr ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
}

}  // namespace
