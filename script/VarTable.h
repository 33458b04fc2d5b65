#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "script/VarItem.h"

// A store of script variables by exact name. Items keep their address for the life of the
// store, so parsed statements can point at them.
class CVarTable {
  public:
    bool Add(const std::string& name, int32_t type);
    CVarItem* Lookup(const std::string& name) const;
    bool IsOfType(const std::string& name, int32_t type) const;
    void RemoveAll() { m_items.clear(); }

  private:
    std::unordered_map<std::string, std::unique_ptr<CVarItem>> m_items;
};
