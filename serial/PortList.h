#pragma once

#include <string>
#include <vector>

#include "serial/PortEntry.h"

// The serial ports present on this machine, in natural order of their device names.
class CPortList {
  public:
    // Clears the list and fills it with the ports present. No port at all is not a failure.
    bool Enumerate();
    void Clear();
    // Inserts before the first entry whose name sorts after this one, so that equal names
    // keep the order in which they were added.
    void Add(const std::string& name, const std::string& description);

    int Count() const { return static_cast<int>(m_entries.size()); }
    bool HasPorts() const { return Count() >= 1; }
    bool IsValidIndex(int i) const { return i >= 0 && i < Count(); }
    bool GetEntry(int i, std::string& name, std::string& description) const;
    bool GetEntry(int i, int& number, std::string& name, std::string& description) const;

  private:
    std::vector<CPortEntry> m_entries;
};
