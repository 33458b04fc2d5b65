#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "params/MenuParamTable.h"

// A controller model as connecting loads it: its parameter table and where it came from.
struct SLoadedModel {
    std::string modelText;  // as the controller reported it
    std::string key;        // as the model's "Connect" routine returned it
    std::unique_ptr<CMenuParamTable> table;
    std::string tablePath;
    std::string modelName;
    std::string picturePath;
};

// What the setting view shows: plain data that a front end renders as it is.
struct SSettingView {
    std::string previousName;
    std::string currentName;
    std::string nextName;
    std::string currentValue;
    std::string newValue;
    bool writeCheck = false;
    bool writeCheckEnabled = false;
    bool newValueEnabled = false;
    bool upEnabled = false;
    bool downEnabled = false;
    // A write or its read-back failed: the value entry is drawn red.
    bool valueChanged = false;
    // Why the last value typed was refused before writing; empty when it was not.
    std::string valueRefusal;
    int decimalPlaces = 0;
};

enum class EView { Setting, Clone };

// What the last whole-set or file operation did, for the front ends to tell the operator.
struct SOperationOutcome {
    enum class EOperation { None, Upload, Download, Verify, Save, Open, Export };
    explicit SOperationOutcome(EOperation what = EOperation::None) : operation(what) {}

    EOperation operation;
    bool canceled = false;
    bool targetMissing = false;  // download: the target unit could not be connected
    int unit = 0;                // download: the target unit
    int transferred = 0;         // read, written, equal; saved, opened, exported
    int absent = 0;              // not on this controller (its condition says so)
    int failed = 0;              // a command or routine failed, or the value did not convert
    int differs = 0;             // verify: read, but not equal to the set
    int notInSet = 0;            // download: the set holds no value for it
    std::string path;            // the file saved, opened or exported
};
