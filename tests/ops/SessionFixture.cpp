#include "SessionFixture.h"

void SessionFixture::SetUp() {
    ASSERT_TRUE(ready) << sim.Error();
    session = std::make_unique<CDeviceSession>(ui, catalogue);
    session->ApplyCommSettings(Line(), 1);
}

void SessionFixture::ConnectIn(EView view) {
    // A line that vanished and came back may have another device path; the old one may belong
    // to another test's simulator by now.
    if (session->Settings().portName != sim.SlavePath()) {
        CCommSettings line = session->Settings();
        line.portName = sim.SlavePath();
        session->ApplyCommSettings(line, session->UnitNumber());
    }
    if (view == EView::Clone) session->SetView(EView::Clone);
    session->Connect(1);
    ASSERT_TRUE(session->IsConnected()) << log.Text();
}

void SessionFixture::UploadInCloneView() {
    ConnectIn(EView::Clone);
    ASSERT_TRUE(session->Upload().Ok()) << log.Text();
}

std::vector<std::string> SessionFixture::LogLinesAmong(
    const std::vector<std::string>& texts) const {
    std::vector<std::string> out;
    for (const std::string& line : log.Lines()) {
        for (const std::string& t : texts) {
            // Event lines carry a time stamp before the text.
            if (line == t || line.ends_with(" " + t)) {
                out.push_back(t);
                break;
            }
        }
    }
    return out;
}
