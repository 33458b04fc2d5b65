// A parameter file (".tmf") as vexa-cli shows it, compares it and exports it to CSV through
// the HD40 table.  Input: the file's bytes.
#include <iostream>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "support/LogCapture.h"

int FuzzParamFile(const std::uint8_t* data, std::size_t size) {
    static const std::string kTable = FindModelFile("HD40.prm");
    FuzzCheck(!kTable.empty(), "HD40.prm beside the program");

    LogCapture log;
    const QuietOutput quiet;
    SCliOptions options;
    const std::string bytes = FuzzText(data, size);
    options.input = WriteScratchFile("set.tmf", bytes);
    options.output = ScratchPath("set.csv");
    options.table = kTable;
    RunExport(options);
    // Against its own first half, so that records differ and go missing.
    options.arguments = {options.input,
                         WriteScratchFile("half.tmf", bytes.substr(0, bytes.size() / 2))};
    for (const bool json : {false, true}) {
        options.json = json;
        RunShow(options);
        RunDiff(options);
        // The second round compares without names, as "diff" without --table does.
        options.table.clear();
    }
    return 0;
}
