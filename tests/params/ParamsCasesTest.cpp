// Value texts, command definitions, item lines, parameter item conversions, routine names, the
// model index and table files, as the cases of params.cases; what needs state or big inputs is
// written out here.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/Folders.h"
#include "params/DecimalPoint.h"
#include "params/HexNumber.h"
#include "params/MenuCmdList.h"
#include "params/MenuParamItem.h"
#include "params/MenuParamTable.h"
#include "params/ModelIndex.h"
#include "params/OperatorReport.h"
#include "params/ParamTableFile.h"
#include "params/RoutineName.h"
#include "params/ValueText.h"
#include "support/CaseFile.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

namespace {

using Inputs = CaseInputs;

int Number(const std::string& text) { return std::stoi(text); }

// An item of value format, scale and write digits given (format 0 is hexadecimal, 1 signed,
// 2 no value; read and write use the same one).
CMenuParamItem ItemOf(const Inputs& in) {
    CMenuParamItem item;
    item.readCommand.valueFormat = Number(in[0]);
    item.writeCommand.valueFormat = Number(in[0]);
    item.scale = Number(in[1]);
    item.writeCommand.hexDigits = Number(in[2]);
    item.decimalSeparator = '.';
    return item;
}

CaseAnswers CommandFields(const CMenuCmdItem& command, int parsed) {
    return {{"ok", CaseBool(parsed == 1)},
            {"text", command.commandText},
            {"timeout", std::to_string(command.timeout)},
            {"retries", std::to_string(command.retries)},
            {"at", CaseBool(command.IsAtFrame())},
            {"reply", std::to_string(command.replyRequired)},
            {"definition", command.definition}};
}

// Looks the key up in an index file of the given text, beside the table vx.prm.
CaseAnswers LookUp(const std::string& index, const std::string& key) {
    TempFolder folder;
    SetModuleFolder(folder.Slash());
    folder.Write("vx.prm", "");
    std::string table, model;
    const bool ok = LookupModelIndex(folder.Write("VX10.tbl", index), key, table, model);
    SetModuleFolder("");
    if (table.rfind(folder.Slash(), 0) == 0) table.replace(0, folder.Path().size(), "FOLDER");
    return {{"ok", CaseBool(ok)}, {"table", table}, {"model", model}};
}

// An item line with number `number`; the other fields are plain and valid.
std::string Item(int number, const std::string& name = "P") {
    return "{" + name + ",0A00;1;2;0;1;0,1A00;1;2;0;1;0;4,0,,,,1,0," + std::to_string(number) +
           ",0,0}\n";
}

// A table loaded from the file FOLDER/table.prm of the text given (none: no file), with what
// the load told the operator and the log.
struct LoadedTable : OperatorReport {
    explicit LoadedTable(const std::string* content) {
        const std::string path =
            content ? folder.Write("table.prm", *content) : folder.File("missing.prm");
        result = table.Load(path, this);
    }
    void ShowReason(const SReason& why) override { reports += English(why) + "|"; }
    std::string Named(std::string text) const {
        for (size_t at; (at = text.find(folder.Path())) != std::string::npos;)
            text.replace(at, folder.Path().size(), "FOLDER");
        return text;
    }

    LogCapture log;
    TempFolder folder;
    CMenuParamTable table;
    SResult result;
    std::string reports;
};

std::string Numbers(size_t count, const std::function<uint16_t(size_t)>& numberAt) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += (i ? "," : "") + std::to_string(numberAt(i));
    EXPECT_EQ(numberAt(count), CMenuParamTable::kNoNumber);
    return text;
}

CaseAnswers TableLoad(const Inputs& in, bool withFile) {
    std::string content;
    for (const std::string& line : in)
        content += line.rfind("item:", 0) == 0
                       ? Item(Number(line.substr(5)), line.substr(line.find(':', 5) + 1))
                       : line + "\n";
    const LoadedTable loaded(withFile ? &content : nullptr);
    const CMenuParamTable& table = loaded.table;
    std::string items, found;
    for (size_t i = 0; i < table.GetCount(); ++i)
        items += table.GetItem(i)->name + "#" + std::to_string(table.GetItem(i)->number) + " ";
    EXPECT_EQ(table.GetItem(table.GetCount()), nullptr);
    for (uint16_t number = 0; number < 100; ++number) {
        const int index = table.IndexOfNumber(number);
        EXPECT_EQ(table.FindByNumber(number), index < 0 ? nullptr : table.GetItem(index));
        if (index >= 0) found += std::to_string(number) + ":" + std::to_string(index) + " ";
    }
    return {{"ok", CaseBool(loaded.result.Ok())},
            {"message", loaded.Named(loaded.result.message)},
            {"items", items},
            {"found", found},
            {"upload",
             Numbers(table.GetUploadCount(), [&](size_t i) { return table.GetUploadNumber(i); })},
            {"download", Numbers(table.GetDownloadCount(),
                                 [&](size_t i) { return table.GetDownloadNumber(i); })},
            {"reports", loaded.Named(loaded.reports)},
            {"log", loaded.Named(loaded.log.Text())}};
}

const std::map<std::string, CaseFunction> kFunctions = {
    {"places-from-scale",
     [](const Inputs& in) { return std::to_string(DecimalPlacesFromScale(Number(in[0]))); }},
    {"scale-to-integer",
     [](const Inputs& in) { return ScaleToInteger(in[0], Number(in[1]), in[2][0]); }},
    {"apply-point",
     [](const Inputs& in) { return ApplyDecimalPoint(in[0], Number(in[1]), in[2][0]); }},
    {"trim-decimals", [](const Inputs& in) { return TrimTrailingDecimals(in[0], in[1][0]); }},
    // A failed scan leaves the value it was given (7).
    {"scan-hex",
     [](const Inputs& in) {
         uint32_t value = 7;
         const bool ok = ScanHex(in[0], value);
         return CaseAnswers{{"ok", CaseBool(ok)}, {"value", FormatHex(value, 1)}};
     }},
    {"format-hex",
     [](const Inputs& in) { return FormatHex(std::stoul(in[0], nullptr, 0), Number(in[1])); }},
    {"set-value-problem",
     [](const Inputs& in) { return English(SetValueTextProblem(in[0], Number(in[1]))); }},
    // Item functions take the value format, scale and write digits, then the text.
    {"raw-to-set", [](const Inputs& in) { return ItemOf(in).RawToSetValue(in[3]); }},
    {"set-to-raw", [](const Inputs& in) { return ItemOf(in).SetValueToRaw(in[3]); }},
    {"display", [](const Inputs& in) { return ItemOf(in).ToDisplayText(in[3]); }},
    {"set-display", [](const Inputs& in) { return ItemOf(in).SetValueDisplayText(in[3]); }},
    {"device", [](const Inputs& in) { return ItemOf(in).ToDeviceText(in[3]); }},
    {"write-problem",
     [](const Inputs& in) { return English(ItemOf(in).WriteValueProblem(in[3])); }},
    {"routine-names",
     [](const Inputs& in) {
         CMenuParamItem item;
         item.number = Number(in[0]);
         item.conditionText = in[1];
         item.scaleText = in[2];
         return CaseAnswers{{"condition", ConditionRoutineName(item)},
                            {"scale", ScaleRoutineName(item)}};
     }},
    {"read-command",
     [](const Inputs& in) {
         CMenuUICmdItem command;
         const int parsed = command.Parse(in[0]);
         CaseAnswers fields = CommandFields(command, parsed);
         fields.emplace_back("format", std::to_string(command.valueFormat));
         return fields;
     }},
    {"write-command",
     [](const Inputs& in) {
         CMenuWriteCmdItem command;
         const int parsed = command.Parse(in[0]);
         CaseAnswers fields = CommandFields(command, parsed);
         fields.emplace_back("digits", std::to_string(command.hexDigits));
         return fields;
     }},
    // The text between the braces of an item line; a refused line leaves the item half-filled.
    {"item-line",
     [](const Inputs& in) {
         CMenuParamItem item;
         const bool ok = ParseItemLine(in[0], item);
         return CaseAnswers{{"ok", CaseBool(ok)},
                            {"name", item.name},
                            {"read", item.readCommand.commandText},
                            {"digits", std::to_string(item.writeCommand.hexDigits)},
                            {"scale-script", std::to_string(item.scaleScript)},
                            {"scale-text", item.scaleText},
                            {"enter", std::to_string(item.writeEnterList.GetCount())},
                            {"leave", std::to_string(item.writeLeaveList.GetCount())},
                            {"writable", std::to_string(item.writable)},
                            {"write-mode", std::to_string(item.WriteMode16())},
                            {"number", std::to_string(item.number)},
                            {"condition", std::to_string(item.condition)},
                            {"condition-text", item.conditionText}};
     }},
    // A command list of the group size given parses each text in turn; after each, its result
    // and the definitions of the list, "@" after an at-frame's.
    {"command-list",
     [](const Inputs& in) {
         CMenuCmdList list;
         list.groupSize = Number(in[0]);
         CaseAnswers answers;
         for (size_t i = 1; i < in.size(); ++i) {
             std::string text = std::to_string(list.Parse(in[i])) + ":";
             for (size_t k = 0; k < list.GetCount(); ++k) {
                 const CMenuCmdItem& command = *list.GetAt(k);
                 EXPECT_EQ(command.definition.rfind(command.commandText + ";", 0), 0u);
                 text += (k ? "|" : "") + command.definition + (command.IsAtFrame() ? "@" : "");
             }
             EXPECT_EQ(list.GetAt(list.GetCount()), nullptr);
             answers.emplace_back("", text);
         }
         return answers;
     }},
    {"model-index", [](const Inputs& in) { return LookUp(in[0], in[1]); }},
    {"table-load", [](const Inputs& in) { return TableLoad(in, true); }},
    {"table-load-missing", [](const Inputs& in) { return TableLoad(in, false); }},
};

TEST(ParamsCases, EveryCaseOfTheFileHolds) {
    RunCaseFile(VEXA_CASES_DIR "/params.cases", kFunctions);
}

TEST(ParamsCases, AnUnreadableIndexFailsCleanly) {
    std::string table, model;
    EXPECT_FALSE(LookupModelIndex("/nonexistent/none.tbl", "K1", table, model));
}

// At most the sixteen-bit item count is kept.
TEST(ParamsCases, ATableKeepsAtMostTheSixteenBitItemCount) {
    std::string content = "[ParamList]\n";
    std::string upload = "[Upload]\n";
    for (int n = 0; n < 65540; ++n) {
        content += Item(n);
        upload += std::to_string(n) + "=1\n";
    }
    content += upload;
    const LoadedTable full(&content);
    ASSERT_TRUE(full.result.Ok());
    EXPECT_EQ(full.table.GetCount(), CMenuParamTable::kMaxItems);
    EXPECT_EQ(full.Named(full.reports), "5 item lines of FOLDER/table.prm skipped|");
    EXPECT_EQ(full.table.GetUploadCount(), 65540u);  // the whole order, not a cut buffer
    EXPECT_EQ(full.table.FindByNumber(65534)->number, 65534);
    EXPECT_EQ(full.table.FindByNumber(65535), nullptr);
}

TEST(ParamsCases, ItemsCopyTheirCommandListsDeeply) {
    CMenuParamItem item;
    ASSERT_TRUE(item.writeEnterList.Parse("0B01;1;0;0;1"));
    CMenuParamItem copy = item;
    item.writeEnterList.Clear();
    ASSERT_EQ(copy.writeEnterList.GetCount(), 1u);
    EXPECT_EQ(copy.writeEnterList.GetAt(0)->commandText, "0B01");
}

}  // namespace
