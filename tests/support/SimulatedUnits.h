#pragma once

#include <memory>
#include <string>

#include "app/Folders.h"
#include "app/MessageTable.h"
#include "serial/CommSettings.h"
#include "sim/SimBus.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TestController.h"
#include "support/TestModel.h"

// The test model "TS01" in a program folder of its own, two such controllers (units 1 and 2)
// on a simulated line, and the log captured: what the session and the windows work with.
struct SimulatedUnits {
    SimulatedUnits() {
        WriteTestModel(home);
        SetModuleFolder(home.Path());
        SetCommonDataFolder(home.File("no-shared-data"));
        ready = catalogue.Load(home.File("VEXA.cap"), "Pyrona", 999);
        unit1->SetFactoryValues();
        unit2->SetFactoryValues();
        sim.SetResponder(1, unit1);
        sim.SetResponder(2, unit2);
        ready = sim.Start() && ready;
    }
    ~SimulatedUnits() {
        sim.Stop();
        SetModuleFolder("");
        SetCommonDataFolder("");
    }
    SimulatedUnits(const SimulatedUnits&) = delete;
    SimulatedUnits& operator=(const SimulatedUnits&) = delete;

    CCommSettings Line() const {
        CCommSettings line;
        line.portName = sim.SlavePath();
        return line;
    }
    bool LogHas(const std::string& text) const {
        return log.Text().find(text) != std::string::npos;
    }

    TempFolder home;
    LogCapture log;
    CMessageTable catalogue;
    std::shared_ptr<TestController> unit1 = std::make_shared<TestController>();
    std::shared_ptr<TestController> unit2 = std::make_shared<TestController>();
    SimBus sim;
    bool ready = false;
};
