#include "SessionFixture.h"

#include <algorithm>

#include "app/Folders.h"
#include "support/TestModel.h"

void SessionFixture::SetUp() {
    WriteTestModel(home);
    SetModuleFolder(home.Path());
    SetCommonDataFolder(home.File("no-shared-data"));
    catalogue.Load(home.File("VEXA.cap"), "Pyrona", 999);

    unit1->SetFactoryValues();
    unit2->SetFactoryValues();
    sim.SetResponder(1, unit1);
    sim.SetResponder(2, unit2);
    ASSERT_TRUE(sim.Start()) << sim.Error();

    session = std::make_unique<CDeviceSession>(ui, catalogue);
    CCommSettings line;
    line.portName = sim.SlavePath();
    session->ApplyCommSettings(line, 1);
}

void SessionFixture::TearDown() {
    session.reset();
    sim.Stop();
    SetModuleFolder("");
    SetCommonDataFolder("");
}

void SessionFixture::ConnectIn(EView view) {
    // A line that vanished and came back may have another device path; the old one may belong
    // to another test's simulator by now.
    if (session->Settings().portName != sim.SlavePath()) {
        CCommSettings line = session->Settings();
        line.portName = sim.SlavePath();
        session->ApplyCommSettings(line, session->UnitNumber());
    }
    if (view == EView::Clone) session->CloneViewClicked();
    session->ConnectButton();
    ASSERT_TRUE(session->IsConnected()) << log.Text();
}

std::vector<std::string> SessionFixture::LogLinesAmong(
    const std::vector<std::string>& texts) const {
    std::vector<std::string> out;
    for (const std::string& line : log.Lines()) {
        for (const std::string& t : texts) {
            // Event lines carry a time stamp before the text.
            if (line == t || (line.size() > t.size() + 1 &&
                              line.compare(line.size() - t.size(), t.size(), t) == 0 &&
                              line[line.size() - t.size() - 1] == ' ')) {
                out.push_back(t);
                break;
            }
        }
    }
    return out;
}

bool SessionFixture::LogHas(const std::string& text) const {
    return !LogLinesAmong({text}).empty();
}
