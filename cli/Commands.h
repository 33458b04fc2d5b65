#pragma once

#include "cli/CliOptions.h"

// One function per vexa-cli command; each answers the process's exit code.
int RunPorts(const SCliOptions& options);
int RunIdentify(const SCliOptions& options);
int RunUpload(const SCliOptions& options);
int RunDownload(const SCliOptions& options);
int RunVerify(const SCliOptions& options);
int RunGet(const SCliOptions& options);
int RunSet(const SCliOptions& options);
int RunExport(const SCliOptions& options);
int RunShow(const SCliOptions& options);
int RunSend(const SCliOptions& options);
int RunDiff(const SCliOptions& options);
int RunScan(const SCliOptions& options);
int RunClone(const SCliOptions& options);
