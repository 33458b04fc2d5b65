#include "serial/PortList.h"

#include <algorithm>

#include "serial/PortEnumerator.h"
#include "serial/PortNames.h"

bool CPortList::Enumerate() {
    Clear();
    std::vector<SystemPort> found;
    if (!ListSystemPorts(found)) return false;
    for (const SystemPort& port : found) Add(port.name, port.description);
    return true;
}

void CPortList::Clear() { m_entries.clear(); }

void CPortList::Add(const std::string& name, const std::string& description) {
    auto at = std::upper_bound(
        m_entries.begin(), m_entries.end(), name,
        [](const std::string& key, const CPortEntry& e) { return NaturalLess(key, e.name); });
    m_entries.insert(at, CPortEntry{TrailingPortNumber(name), name, description});
}

bool CPortList::GetEntry(int i, std::string& name, std::string& description) const {
    int number = 0;
    return GetEntry(i, number, name, description);
}

bool CPortList::GetEntry(int i, int& number, std::string& name, std::string& description) const {
    if (!IsValidIndex(i)) return false;
    const CPortEntry& e = m_entries[static_cast<std::size_t>(i)];
    number = e.number;
    name = e.name;
    description = e.description;
    return true;
}
