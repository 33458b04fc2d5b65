#pragma once

// Answer of asking the driver to pass received bytes on at once.  USB serial adapters otherwise
// hold them back for up to 16 ms per read, which adds up over the thousands of exchanges of a
// whole parameter set.
enum class LowLatencyResult { kEnabled, kAlreadyOn, kNotSupported, kFailed };

// Sets ASYNC_LOW_LATENCY; `previousFlags` receives the driver's flags as they were, for
// RestoreLowLatency.  Pseudo-terminals and drivers without serial flags answer kNotSupported.
LowLatencyResult EnableLowLatency(int fd, int& previousFlags);
void RestoreLowLatency(int fd, int previousFlags);

// "on", "already on", "not supported by the driver", "refused by the driver".
const char* LowLatencyText(LowLatencyResult result);
