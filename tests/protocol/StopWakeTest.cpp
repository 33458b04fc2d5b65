// vexa-cli waits on the line in one poll() for the whole time-out: a Ctrl-C that lands after
// the last stop check and before that poll must still end the wait at once.
#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

#include "protocol/FramePort.h"
#include "support/PtyPair.h"

namespace {

TEST(StopWake, AStopBetweenTheCheckAndTheWaitEndsTheWaitAtOnce) {
    PtyPair silentLine;
    CFramePort port;
    ASSERT_TRUE(port.SetSettings(silentLine.SlavePath(), 9600, 8, 1, 0));
    ASSERT_TRUE(port.Open());
    const int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    ASSERT_GE(wake, 0);
    port.SetWakeDescriptor(wake);
    int checks = 0;
    // The first check answers "go on", and the stop arrives right after it, as a signal
    // handler would deliver it.
    port.SetCancelCheck([&] {
        if (++checks == 1) {
            const std::uint64_t one = 1;
            EXPECT_EQ(write(wake, &one, sizeof one), static_cast<ssize_t>(sizeof one));
            return false;
        }
        return true;
    });
    const auto start = std::chrono::steady_clock::now();
    char byte = 0;
    EXPECT_FALSE(port.ReceiveByteTimed(&byte, 60000));
    EXPECT_EQ(port.LinkStatus().Code(), CommStatusCode::kCancelled);
    // Ended long before its time-out, which is what the stop is for.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(checks, 2);
    close(wake);
}

}  // namespace
