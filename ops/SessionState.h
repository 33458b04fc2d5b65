#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// The parameter the setting view shows, as the controller answered for it: plain data that a
// front end words and enables by its own rules.
struct SShownParameter {
    std::string previousName;
    std::string currentName;
    std::string nextName;
    bool hasPrevious = false;
    bool hasNext = false;
    // As the controller holds it; empty when it does not exist or could not be read.
    std::string currentValue;
    // Why no parameter from the one asked for on could be read; empty when one was shown.
    SReason unreadReason;
    // It exists, its value could be scaled, and the operator may write it.
    bool writable = false;
    // It is written only in write mode, which the "Write" box enters.
    bool writeModeNeeded = false;
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

// How one parameter of an upload, download or verify ended.
enum class EParamStatus {
    Ok,
    Absent,    // its condition says this controller does not have it
    NotInSet,  // download: the set holds no value for it
    Failed,    // its command or one of its routines failed
    Differs,   // verify: the controller holds another value than the set
};

// The name scripts and the JSON output use for a status.
inline const char* ParamStatusName(EParamStatus status) {
    switch (status) {
        case EParamStatus::Ok:
            return "ok";
        case EParamStatus::Absent:
            return "absent";
        case EParamStatus::NotInSet:
            return "not_in_set";
        case EParamStatus::Failed:
            return "failed";
        case EParamStatus::Differs:
            return "differs";
    }
    return "failed";
}

// One parameter's end in the last whole-set operation: plain data the front ends show.
struct SParamStatus {
    int number = 0;
    EParamStatus status = EParamStatus::Ok;
    // Verify: the set value the controller holds, when it was read.
    std::string deviceValue;
};

// How many parameters ended in each status (`transferred`: ok), as the outcome of `operation`.
SOperationOutcome CountStatuses(const std::vector<SParamStatus>& statuses,
                                SOperationOutcome::EOperation operation);

// How running one of the model's optional script routines ended.
enum class ERoutineEnd {
    Absent,  // the model's script has no such routine
    Ran,
    Failed,
};
