#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "cli/CliOptions.h"

class CDeviceSession;
struct SParamStatus;

// One line of the --record file: how one operation ended on one unit.
struct SUnitRecord {
    std::string operation;  // identify, upload, download, dry-run, verify, clone, set
    int unit = -1;
    std::string modelText, modelName;
    std::string file;  // the parameter file read or written; empty: none
    int ok = 0, absent = 0, notInSet = 0, failed = 0, differs = 0;
    std::vector<int> failedNumbers, differingNumbers;
    std::string time;  // UTC, when the operation began
    std::chrono::steady_clock::time_point started;

    // Begins the record of `operation` on `unit` now.
    void Start(const std::string& what, int unitNumber);
    // Takes the model and the statuses of the last whole-set operation from the session, before
    // a disconnect clears them.
    void Note(const CDeviceSession& session);
};

// Adds the numbers of the failed and of the differing parameters among `statuses`, each once.
void AddFailedAndDiffering(const std::vector<SParamStatus>& statuses, std::vector<int>& failed,
                           std::vector<int>& differs);

// Opens the record file for appending, before anything reaches a controller; false (reported)
// when it cannot be opened. Without --record nothing is recorded.
bool OpenRecordFile(const SCliOptions& options);
bool Recording();

// The record of the command's one unit (all but clone, which writes one per unit itself).
SUnitRecord& CommandRecord();

// Appends the record as one JSON line and writes its result into the communication log; false
// (reported) when the line could not be appended whole.
bool WriteRecord(const SCliOptions& options, const SUnitRecord& record, int exitCode);
// True once a record could not be written: the run must not pass for recorded.
bool RecordFailed();
