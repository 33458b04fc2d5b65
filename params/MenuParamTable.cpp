#include "params/MenuParamTable.h"

#include "app/IniFile.h"
#include "params/ParamTableFile.h"

int CMenuParamTable::Load(const std::string& path, OperatorReport* report) {
    if (!ReadParamList(path, *this, report)) return 0;
    IniFile profile;
    profile.Load(path);
    ReadOrderSection(profile, "DownloadList", downloadOrder_);
    ReadOrderSection(profile, "Upload", uploadOrder_);
    return 1;
}

void CMenuParamTable::Clear() {
    items_.clear();
    downloadOrder_.clear();
    uploadOrder_.clear();
    firstIndexByNumber_.clear();
}

bool CMenuParamTable::AddItem(CMenuParamItem&& item) {
    if (items_.size() >= kMaxItems) return false;
    firstIndexByNumber_.emplace(item.number, static_cast<uint16_t>(items_.size()));
    items_.push_back(std::move(item));
    return true;
}

CMenuParamItem* CMenuParamTable::GetItem(size_t index) {
    return index < items_.size() ? &items_[index] : nullptr;
}

const CMenuParamItem* CMenuParamTable::GetItem(size_t index) const {
    return index < items_.size() ? &items_[index] : nullptr;
}

uint16_t CMenuParamTable::GetDownloadNumber(size_t i) const {
    return i < downloadOrder_.size() ? downloadOrder_[i] : kNoNumber;
}

uint16_t CMenuParamTable::GetUploadNumber(size_t i) const {
    return i < uploadOrder_.size() ? uploadOrder_[i] : kNoNumber;
}

int CMenuParamTable::IndexOfNumber(uint16_t number) const {
    auto found = firstIndexByNumber_.find(number);
    return found == firstIndexByNumber_.end() ? -1 : found->second;
}

CMenuParamItem* CMenuParamTable::FindByNumber(uint16_t number) {
    int index = IndexOfNumber(number);
    return index < 0 ? nullptr : &items_[index];
}

const CMenuParamItem* CMenuParamTable::FindByNumber(uint16_t number) const {
    int index = IndexOfNumber(number);
    return index < 0 ? nullptr : &items_[index];
}

void CMenuParamTable::ClearValid() {
    for (CMenuParamItem& item : items_) item.valid = 0;
}

void CMenuParamTable::ClearSetValues() {
    for (CMenuParamItem& item : items_) item.setValue.clear();
}

int CMenuParamTable::AnyWritableNotValid() const {
    for (const CMenuParamItem& item : items_) {
        if (item.writable == 1 && item.valid == 0) return 1;
    }
    return 0;
}
