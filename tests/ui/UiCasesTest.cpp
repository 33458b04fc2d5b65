// The desktop's rules that need no screen, as the cases of ui.cases: what each view enables,
// when and where the side panel opens, how the columns share a change of width, the text rules
// of the unit number and the numeric fields, and the wrapping of captions.
#include <gtest/gtest.h>

#include <QRect>
#include <string>

#include "support/CaseFile.h"
#include "ui/MainDialogRules.h"
#include "ui/NumericText.h"
#include "ui/TextWrap.h"
#include "ui/UnitNumberText.h"

namespace {

using Inputs = CaseInputs;

// "left,top,width,height"
QRect RectOf(const std::string& text) {
    int left = 0, top = 0, width = 0, height = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d", &left, &top, &width, &height) != 4)
        throw std::invalid_argument("not a rectangle: " + text);
    return {left, top, width, height};
}
std::string TextOf(const QRect& r) {
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + "," +
           std::to_string(r.width()) + "," + std::to_string(r.height());
}
const std::map<std::string, EPanelSide> kSides = {
    {"left", EPanelSide::Left}, {"right", EPanelSide::Right}, {"over", EPanelSide::Over}};

const std::map<std::string, CaseFunction> kFunctions = {
    // setting|clone, linked|unlinked, items|no-items (the table's), values|no-values.
    {"view-enabling",
     [](const Inputs& in) {
         const SViewEnabling e =
             ViewEnabling({in[0] == "clone" ? EView::Clone : EView::Setting, in[1] == "linked",
                           in[2] == "items", in[3] == "values"});
         return CaseAnswers{{"setting", CaseBool(e.settingControls)},
                            {"clone", CaseBool(e.cloneControls)},
                            {"clone-values", CaseBool(e.cloneValueControls)},
                            {"com-set", CaseBool(e.comSet)},
                            {"clear-source", CaseBool(e.clearSetSource)}};
     }},
    // The operation, how it ended, how many writable parameters it left without a value.
    {"opens-side-panel",
     [](const Inputs& in) {
         using E = SOperationOutcome::EOperation;
         const std::map<std::string, E> operations = {{"upload", E::Upload},
                                                      {"download", E::Download},
                                                      {"open", E::Open},
                                                      {"verify", E::Verify},
                                                      {"save", E::Save}};
         const std::map<std::string, ResultCode> ends = {{"ok", ResultCode::kOk},
                                                         {"line-lost", ResultCode::kLineLost},
                                                         {"cancelled", ResultCode::kCancelled}};
         return OpensSidePanel(operations.at(in[0]), ends.at(in[1]), std::stoul(in[2]));
     }},
    {"share-width",
     [](const Inputs& in) {
         const SColumnShare share = ShareWidthChange(std::stoi(in[0]), std::stoi(in[1]));
         return CaseAnswers{{"per-column", std::to_string(share.perColumn)},
                            {"carried", std::to_string(share.carried)}};
     }},
    // frame client shown-width [side]
    {"side-panel-rect",
     [](const Inputs& in) {
         const QRect r = SidePanelRect(RectOf(in[0]), RectOf(in[1]), std::stoi(in[2]),
                                       in.size() > 3 ? kSides.at(in[3]) : EPanelSide::Left);
         return CaseAnswers{{"", TextOf(r)}, {"width", std::to_string(r.width())}};
     }},
    {"slide-step", [](const Inputs& in) { return std::to_string(SlideStep(std::stoi(in[0]))); }},
    // frame panel-width screen
    {"place-side-panel",
     [](const Inputs& in) {
         const SPanelPlace place = PlaceSidePanel(RectOf(in[0]), std::stoi(in[1]), RectOf(in[2]));
         for (const auto& [name, side] : kSides)
             if (side == place.side)
                 return CaseAnswers{{"side", name}, {"main-left", std::to_string(place.mainLeft)}};
         return CaseAnswers{};
     }},
    // A failed parse leaves the number it was given (42).
    {"unit-number",
     [](const Inputs& in) {
         int unit = 42;
         const bool ok = ParseUnitNumber(in[0], unit);
         return CaseAnswers{{"ok", CaseBool(ok)}, {"unit", std::to_string(unit)}};
     }},
    // text delta min max
    {"step-number",
     [](const Inputs& in) {
         return std::to_string(
             StepNumber(in[0], std::stoi(in[1]), std::stoi(in[2]), std::stoi(in[3])));
     }},
    // text, what it may hold (plain, decimal, signed, signed-decimal), the decimal separator.
    {"numeric-text",
     [](const Inputs& in) {
         const int flags = (in[1].find("decimal") != std::string::npos ? kNumericDecimal : 0) |
                           (in[1].find("signed") != std::string::npos ? kNumericSigned : 0);
         return IsAcceptableNumericText(in[0], flags, in[2][0]);
     }},
    // text width bytes|characters (what a line's width counts) -> the number of lines, the lines
    {"wrap",
     [](const Inputs& in) {
         const auto measure = [&in](const std::string& line) {
             int width = 0;
             for (const unsigned char c : line) width += in[2] == "bytes" || (c & 0xC0) != 0x80;
             return width;
         };
         const std::vector<std::string> lines = WrapText(in[0], std::stoi(in[1]), measure);
         CaseAnswers answers{{"lines", std::to_string(lines.size())}};
         for (const std::string& line : lines) answers.emplace_back("", line);
         return answers;
     }},
};

TEST(UiCases, EveryCaseOfTheFileHolds) { RunCaseFile(VEXA_CASES_DIR "/ui.cases", kFunctions); }

}  // namespace
