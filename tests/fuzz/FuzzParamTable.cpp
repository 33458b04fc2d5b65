// A parameter table file: its items with their command lists, the download and upload orders
// walked as the transfers walk them, every command framed, and each item's value conversions.
// Input: the table file.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "ops/DeviceLink.h"
#include "ops/ParamExchange.h"
#include "params/MenuParamTable.h"
#include "support/LogCapture.h"

namespace {

// Value texts as the line and the operator give them, with their awkward corners.
const char* const kValueTexts[] = {
    "0", "-1",     "7FFF", "F005", "FFFFFFFF", "123456789ABC", "12.5", "-0.05",
    "",  " +0x1F", "1e9",  ".",    "-",        "99999999999"};

void Convert(const CMenuParamItem& item) {
    for (const char* text : kValueTexts) {
        item.ToDeviceText(text);
        item.ToDisplayText(text);
        item.RawToSetValue(text);
        item.SetValueToRaw(text);
        item.ApplyDecimalPoint(text);
    }
}

void FrameCommands(const DeviceLink& link, const CMenuParamItem& item) {
    const std::string data = item.SetValueToRaw("1");
    BuildCommandFrame(link, item.readCommand);
    BuildCommandFrame(link, item.writeCommand, data);
    for (const CMenuCmdList* list : {&item.writeEnterList, &item.writeLeaveList}) {
        for (std::size_t i = 0; i < list->GetCount(); ++i) {
            FuzzCheck(list->GetAt(i) != nullptr, "every listed command is there");
            BuildCommandFrame(link, *list->GetAt(i));
        }
    }
}

}  // namespace

int FuzzParamTable(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteScratchFile("table.prm", FuzzText(data, size));
    LogCapture log;
    CMenuParamTable table;
    if (!table.Load(path).Ok()) return 0;
    FuzzCheck(table.GetCount() > 0, "a loaded table has items");

    const DeviceLink link{nullptr, 1, path};
    for (std::size_t i = 0; i < table.GetDownloadCount(); ++i) {
        const CMenuParamItem* item = table.FindByNumber(table.GetDownloadNumber(i));
        if (item != nullptr) FrameCommands(link, *item);
    }
    for (std::size_t i = 0; i < table.GetUploadCount(); ++i) {
        const int index = table.IndexOfNumber(table.GetUploadNumber(i));
        if (index >= 0)
            FuzzCheck(table.GetItem(static_cast<std::size_t>(index)) != nullptr,
                      "an index found is valid");
    }
    for (std::size_t i = 0; i < table.GetCount(); ++i) {
        CMenuParamItem& item = *table.GetItem(i);
        // The scale routine sets the decimal point: one the models use, or a wild one.
        item.scale = i % 2 == 0 ? 1000 : static_cast<int32_t>(0x7FFFFFFF - i);
        Convert(item);
    }
    table.CountWritableNotValid();
    return 0;
}
