#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/Result.h"
#include "params/MenuParamItem.h"

class OperatorReport;

// The parameters of the connected controller model in table order, with the orders in which a
// whole set is written (download) and read (upload).
class CMenuParamTable {
  public:
    // Indices and order positions are 16-bit.
    static constexpr size_t kMaxItems = 65535;
    static constexpr uint16_t kNoNumber = 65535;

    virtual ~CMenuParamTable() = default;

    // Reads the items of the "[ParamList]" section and the "DownloadList" and "Upload" orders of
    // a parameter table file into this (emptied) table.  Fails (kModelNotLoaded) when the file
    // cannot be read (reported to `report` and the log), has no "[ParamList]" or no valid item.
    SResult Load(const std::string& path, OperatorReport* report = nullptr);

    void Clear();
    // Appends a copy under the next index; false when the table is full.
    bool AddItem(const CMenuParamItem& item) { return AddItem(CMenuParamItem(item)); }
    bool AddItem(CMenuParamItem&& item);

    // Callers may change an item's values but not its number: FindByNumber keys on the number
    // the item had when it was added.
    CMenuParamItem* GetItem(size_t index);
    const CMenuParamItem* GetItem(size_t index) const;
    size_t GetCount() const { return m_items.size(); }

    // The number at position i of an order, or kNoNumber past its end.
    uint16_t GetDownloadNumber(size_t i) const;
    uint16_t GetUploadNumber(size_t i) const;
    size_t GetDownloadCount() const { return m_downloadOrder.size(); }
    size_t GetUploadCount() const { return m_uploadOrder.size(); }

    // The item with the lowest index whose number equals `number`, or nullptr.
    CMenuParamItem* FindByNumber(uint16_t number);
    const CMenuParamItem* FindByNumber(uint16_t number) const;
    // The index of that item, or -1.
    int IndexOfNumber(uint16_t number) const;

    void ClearValid();
    void ClearSetValues();
    // How many items with writable 1 are not valid.
    size_t CountWritableNotValid() const;

  private:
    // A deque keeps indices dense without moving every item each time the table grows.
    std::deque<CMenuParamItem> m_items;
    std::vector<uint16_t> m_downloadOrder;
    std::vector<uint16_t> m_uploadOrder;
    // Number -> index of the first item with it, so that walking an order stays linear.
    std::unordered_map<int32_t, uint16_t> m_firstIndexByNumber;
};
