#pragma once

#include "cli/CliOptions.h"

// Reads the command line into options.  Answers -1 when the command should run, else
// the exit code (help and version: 0; a usage error, reported on stderr: 2).
int ParseCommandLine(int argc, char** argv, SCliOptions& options);
