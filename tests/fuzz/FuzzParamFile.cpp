// A parameter file (".tmf") as vexa-cli shows it, and as it is read into the HD40 table and
// exported to CSV.  Input: the file's bytes.
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
    options.input = WriteScratchFile("set.tmf", FuzzText(data, size));
    options.output = ScratchPath("set.csv");
    options.table = kTable;
    RunExport(options);
    for (const bool json : {false, true}) {
        options.json = json;
        RunShow(options);
    }
    return 0;
}
