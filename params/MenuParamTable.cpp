#include "params/MenuParamTable.h"

#include "app/IniFile.h"
#include "params/ParamTableFile.h"

SResult CMenuParamTable::Load(const std::string& path, OperatorReport* report) {
    if (SResult read = ReadParamList(path, *this, report); !read.Ok()) return read;
    IniFile profile;
    profile.Load(path);
    ReadOrderSection(profile, "DownloadList", m_downloadOrder);
    ReadOrderSection(profile, "Upload", m_uploadOrder);
    return SResult::Success();
}

void CMenuParamTable::Clear() {
    m_items.clear();
    m_downloadOrder.clear();
    m_uploadOrder.clear();
    m_firstIndexByNumber.clear();
}

bool CMenuParamTable::AddItem(CMenuParamItem&& item) {
    if (m_items.size() >= kMaxItems) return false;
    m_firstIndexByNumber.emplace(item.number, static_cast<uint16_t>(m_items.size()));
    m_items.push_back(std::move(item));
    return true;
}

CMenuParamItem* CMenuParamTable::GetItem(size_t index) {
    return index < m_items.size() ? &m_items[index] : nullptr;
}

const CMenuParamItem* CMenuParamTable::GetItem(size_t index) const {
    return index < m_items.size() ? &m_items[index] : nullptr;
}

uint16_t CMenuParamTable::GetDownloadNumber(size_t i) const {
    return i < m_downloadOrder.size() ? m_downloadOrder[i] : kNoNumber;
}

uint16_t CMenuParamTable::GetUploadNumber(size_t i) const {
    return i < m_uploadOrder.size() ? m_uploadOrder[i] : kNoNumber;
}

int CMenuParamTable::IndexOfNumber(uint16_t number) const {
    auto found = m_firstIndexByNumber.find(number);
    return found == m_firstIndexByNumber.end() ? -1 : found->second;
}

CMenuParamItem* CMenuParamTable::FindByNumber(uint16_t number) {
    int index = IndexOfNumber(number);
    return index < 0 ? nullptr : &m_items[index];
}

const CMenuParamItem* CMenuParamTable::FindByNumber(uint16_t number) const {
    int index = IndexOfNumber(number);
    return index < 0 ? nullptr : &m_items[index];
}

void CMenuParamTable::ClearValid() {
    for (CMenuParamItem& item : m_items) item.valid = false;
}

void CMenuParamTable::ClearSetValues() {
    for (CMenuParamItem& item : m_items) item.setValue.clear();
}

size_t CMenuParamTable::CountWritableNotValid() const {
    size_t count = 0;
    for (const CMenuParamItem& item : m_items)
        if (item.writable == 1 && !item.valid) ++count;
    return count;
}
