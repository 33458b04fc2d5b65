#include "SimFixture.h"

#include "protocol/QuadrelResFrame.h"

void SimFixture::SetUp() {
    SimProfile profile;
    profile.ModelText = kModelText;
    Unit = std::make_shared<CannedResponder>(profile);
    Sim.SetResponder(kUnit, Unit);
    ASSERT_TRUE(Sim.Start()) << Sim.Error();
}

std::string QuadrelDataForBcc(int node, uint16_t code, uint8_t bcc) {
    CQuadrelResFrame frame;
    frame.Header.Node = node;
    frame.Header.SubAddress = 0;
    frame.Header.EndCode = 0;
    frame.Pdu.SetCommand(code);
    const uint8_t without = frame.ComputeBcc();
    // Two printable characters whose exclusive-or turns the BCC into the one asked for.
    for (char first = 'A'; first <= 'Z'; ++first) {
        const auto second = static_cast<char>(without ^ static_cast<uint8_t>(first) ^ bcc);
        if (second >= 0x20 && second < 0x7F) return std::string{first, second};
    }
    return {};
}
