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
    EXPECT_EQ(FormatQuadrelFrame(1, "\x02"), "SEND--> (0x02)");
}

TEST(FormatQuadrelFrameTest, ZeroBccIsShown) {
    // Whether the zero is part of the text or ended it, it is shown once.
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "0100" + kEtx), "RECV--> [STX]0100[ETX](0x00)");
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "0100" + kEtx + std::string(1, '\0')),
              "RECV--> [STX]0100[ETX](0x00)");
    // A BCC equal to ETX is a real last byte, not a lost zero.
    EXPECT_EQ(FormatQuadrelFrame(0, kStx + "0100" + kEtx + kEtx), "RECV--> [STX]0100[ETX](0x03)");
    // Bytes after a zero are not part of the text.
    EXPECT_EQ(FormatQuadrelFrame(1, std::string("AB\0CD", 5)), "SEND--> A(0x42)");
}

TEST(FormatAtFrameTest, FcsDigitsBecomeOneToken) {
    EXPECT_EQ(FormatAtFrame(1,
                            "@01RD00000001"
                            "5A*\r"),
              "SEND--> @01RD00000001[FCS]*(0x0D)");
    EXPECT_EQ(FormatAtFrame(0, std::string("@\x02") + "FF*\r"), "RECV--> @(0x02)[FCS]*(0x0D)");
    EXPECT_EQ(FormatAtFrame(0, "12*\r"), "RECV--> [FCS]*(0x0D)");
    EXPECT_EQ(FormatAtFrame(0, "2*\r"), "RECV--> 2*(0x0D)");
    EXPECT_EQ(FormatAtFrame(0, "\r"), "RECV--> (0x0D)");
    EXPECT_EQ(FormatAtFrame(1, ""), "SEND--> ");
}

TEST(FormatEventLineTest, LocalTimeThenMessage) {
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz != nullptr ? oldTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2026-03-04 05:06:07 UTC
    EXPECT_EQ(FormatEventLine(1772600767, "VEXA start."), "2026/03/04 05:06:07 VEXA start.\n");
    EXPECT_EQ(FormatEventLine(1772600767, "x\n"), "2026/03/04 05:06:07 x\n\n");
    if (oldTz != nullptr) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

}  // namespace
