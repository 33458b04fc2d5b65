// A routine section of a script or parameter table file, loaded and run with a step limit
// against a line that answers its communication statements.  Input: the section's lines, then
// the answers to the frames it sends, each after "<|>".
#include "FakeLine.h"
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "app/SectionReader.h"
#include "script/Script.h"
#include "support/LogCapture.h"

namespace {

// Lower than the programs' limit: the limit is what is checked, and a short run per input
// lets the fuzzer try more of them.
constexpr std::uint64_t kFuzzStepLimit = 100'000;
// A statement's attempts come from the file (up to 2 000 000 000): the operator's stop is what
// ends such a run, so the target stops it after this many waits, as a patient operator would.
constexpr std::uint64_t kFuzzWaitsBeforeStop = 100'000;

}  // namespace

int FuzzScript(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces = SplitAtSeparator(FuzzText(data, size));
    const std::string file = WriteScratchFile("routine.scp", "[Fuzz]\n" + pieces.front());
    pieces.erase(pieces.begin());

    std::vector<std::string> lines;
    if (!ReadFileSection(file, "Fuzz", lines)) return 0;
    LogCapture log;
    FakeLine line(std::move(pieces));
    if (line.Port() == nullptr) return 0;
    CScript script;
    std::uint64_t waits = 0;
    line.Port()->SetCancelCheck([&waits] { return ++waits > kFuzzWaitsBeforeStop; });
    script.SetPort(line.Port());
    script.SetUnitNumber(1);
    script.SetStepLimit(kFuzzStepLimit);
    if (!script.Load(lines)) return 0;
    CVarItem result;
    script.Run(result);
    return 0;
}
