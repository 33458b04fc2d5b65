#pragma once

#include <cstdint>
#include <vector>

#include "files/ParameterSet.h"

// What tells two parameter files apart, record by record (by parameter number).
struct SRecordDifference {
    int32_t number = 0;
    SParameterFileRecord a;
    SParameterFileRecord b;
};

struct SParameterSetDiff {
    std::vector<int32_t> onlyA;  // ascending numbers
    std::vector<int32_t> onlyB;
    std::vector<SRecordDifference> different;  // set value or scale differ

    bool Equal() const { return onlyA.empty() && onlyB.empty() && different.empty(); }
};

// When a file holds a number twice, its last record is compared; such a file is damaged
// (FindDamagedRecords), and whoever shows the comparison says so.
SParameterSetDiff DiffParameterSets(const SParameterFileContent& a, const SParameterFileContent& b);
