#pragma once

#include <ctime>
#include <string>

#include "protocol/LogSink.h"

// The process-wide communication log.  Every part writes through WriteLog and LogEvent; no
// failure of the log is reported to the operator or stops the operation that wrote.

// The log file's base name ("tra": "tra.txt" and its older generation "tratemp.txt").  Closes
// the log if it is open.
void SetLogName(const std::string& baseName);
// A file of the operator's choosing instead of the base name in the log folder; "" for that again.
// Closes the log if it is open.
void SetLogPath(const std::string& path);
// Opens the log file for appending; false when it is open already or cannot be opened.
bool OpenLog();
// The file the log writes to ("" while closed), and why it is not the usual one or none ("" when
// it is).
std::string LogPath();
std::string LogNotice();
void CloseLog();
bool IsLogOpen();

// Appends `text` as one plain line (a line feed is added when missing).  True when nothing was
// written because the log is closed or the text is empty.
bool WriteLog(const std::string& text);
// Appends "<local date and time> <message>\n".
bool LogEvent(const std::string& message);

// "%Y/%m/%d %H:%M:%S <message>\n" for the local time `when`.
std::string FormatEventLine(std::time_t when, const std::string& message);

// Sends every later WriteLog and LogEvent to `sink` instead of the log file (nullptr: back to
// the file) and answers the sink that was in use before.
LogSink* SetLogSink(LogSink* sink);
