#include "files/ParameterSetDiff.h"

#include <map>

namespace {

std::map<int32_t, SParameterFileRecord> ByNumber(const SParameterFileContent& content) {
    std::map<int32_t, SParameterFileRecord> records;
    for (const SParameterFileRecord& record : content.records) records[record.number] = record;
    return records;
}

}  // namespace

SParameterSetDiff DiffParameterSets(const SParameterFileContent& a,
                                    const SParameterFileContent& b) {
    const auto inA = ByNumber(a);
    const auto inB = ByNumber(b);
    SParameterSetDiff diff;
    for (const auto& [number, record] : inA) {
        const auto other = inB.find(number);
        if (other == inB.end())
            diff.onlyA.push_back(number);
        else if (record.setValue != other->second.setValue || record.scale != other->second.scale)
            diff.different.push_back({number, record, other->second});
    }
    for (const auto& [number, record] : inB)
        if (!inA.count(number)) diff.onlyB.push_back(number);
    return diff;
}
