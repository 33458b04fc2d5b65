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
